#include "keyboard/KeyMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
// Code points of the default planes, cell by cell.
const std::vector<char16_t> kNormal = {
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
    'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't', 'u', 'v', 'w', 'x', 'y', 'z', ',', '.', ' ', '\t'};
const std::vector<char16_t> kShift = {
    '!', '@', '#', '$', '%', '^', '&', '*', '(', ')', 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J',
    'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', ',', '.', ' ', '\t'};
const std::vector<char16_t> kPunct = {
    0x21, 0x40, 0x23, 0x24, 0x25, 0x5E, 0x26, 0x2A, 0x28, 0x29,
    0x007C, 0x00B1, 0x2122, 0x003B, 0x002D, 0x0022, 0x0027, 0x005C, 0x007D, 0x002F, 0x003C, 0x003E,
    0x003F, 0x00F7, 0x005B, 0x005D, 0x007E, 0x005F, 0x003A, 0x002B, 0x007B, 0x00B0, 0x0060, 0x00AE,
    0x003D, 0x00A9, 0x2C, 0x2E, 0x20, 0x09};
const std::vector<char16_t> kUmlaut = {
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00F0, 0x00E8, 0x00F2, 0x00A2,
    0x00FD, 0x00F4, 0x00EB, 0x00F5, 0x00F6, 0x00DF, 0x00F1, 0x00FE, 0x00F9, 0x00FA, 0x00A5, 0x00A3,
    0x00F8, 0x0153, 0x00E9, 0x00EC, 0x00F3, 0x00ED, 0x00EF, 0x00B5, 0x00EA, 0x00FC, 0x00EE, 0x00FB,
    0x00BF, 0x00A7, 0x20, 0x09};
const std::vector<char16_t> kUmlautShift = {
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00D0, 0x00C8, 0x00D2, 0x00A2,
    0x00DD, 0x00D4, 0x00CB, 0x00D5, 0x00D6, 0x00DF, 0x00D1, 0x00DE, 0x00D9, 0x00DA, 0x00A5, 0x00A3,
    0x00D8, 0x00C6, 0x00C9, 0x00CC, 0x00D3, 0x00CD, 0x00CF, 0x00B5, 0x00CA, 0x00DC, 0x00CE, 0x00DB,
    0x00BF, 0x00A7, 0x20, 0x09};

std::vector<char16_t> CellsOf(const char16_t *plane)
{
    return std::vector<char16_t>(plane, plane + kKeyMapCells);
}

// The character of the key in a slot with the given modifier flags.
char16_t Typed(int slot, bool shift, bool caps, bool punct, bool umlaut)
{
    const char16_t *plane = DefaultKeyMap().Plane(SelectPlane(shift, caps, punct, umlaut));
    return KeyCharacter(plane, KeyCodeOfIndex(slot)).value_or(0);
}
}

TEST(DefaultKeyMap, EveryPlaneHoldsItsFortyCharacters)
{
    const KeyMap &map = DefaultKeyMap();
    EXPECT_EQ(CellsOf(map.Plane(kPlaneNormal)), kNormal);
    EXPECT_EQ(CellsOf(map.Plane(kPlaneShift)), kShift);
    EXPECT_EQ(CellsOf(map.Plane(kPlanePunct)), kPunct);
    EXPECT_EQ(CellsOf(map.Plane(kPlaneUmlaut)), kUmlaut);
    EXPECT_EQ(CellsOf(map.Plane(kPlaneUmlautShift)), kUmlautShift);
}

TEST(DefaultKeyMap, BytesArePlanesOneAfterTheOtherLittleEndian)
{
    const KeyMap &map = DefaultKeyMap();
    const unsigned char *bytes = map.Bytes();
    // Plane 2 starts at byte 80; its cell 12 is U+2122.
    EXPECT_EQ(bytes[2 * 80 + 2 * 12], 0x22);
    EXPECT_EQ(bytes[2 * 80 + 2 * 12 + 1], 0x21);
    // The last two bytes are the tab of plane 4.
    EXPECT_EQ(bytes[398], 0x09);
    EXPECT_EQ(bytes[399], 0x00);
    for (int plane = 0; plane < kKeyMapPlanes; ++plane)
        EXPECT_EQ(reinterpret_cast<const unsigned char *>(map.Plane(plane)), bytes + 80 * plane);
}

TEST(KeyMapPlanes, PlanesOutsideTheMapAreNull)
{
    KeyMap map;
    EXPECT_EQ(map.Plane(-1), nullptr);
    EXPECT_EQ(map.Plane(kKeyMapPlanes), nullptr);
    EXPECT_EQ(KeyCharacter(nullptr, KC_CHAR_BASE), std::nullopt);
}

// A reload writes new bytes over the old ones; plane pointers taken before it
// must show the new characters.
TEST(KeyMapPlanes, OverwritingBytesInPlaceKeepsPlanePointers)
{
    KeyMap map = DefaultKeyMap();
    char16_t *shiftPlane = map.Plane(kPlaneShift);
    KeyMap other = DefaultKeyMap();
    other.m_chCells[kPlaneShift][38] = u'_';
    std::memcpy(map.Bytes(), other.Bytes(), kKeyMapBytes);
    EXPECT_EQ(KeyCharacter(shiftPlane, KC_SPACE), u'_');
    EXPECT_TRUE(map == other);
    EXPECT_FALSE(map == DefaultKeyMap());
}

TEST(SelectPlane, PunctuationWinsOverEveryOtherFlag)
{
    for (int flags = 0; flags < 8; ++flags)
        EXPECT_EQ(SelectPlane(flags & 1, flags & 2, true, flags & 4), kPlanePunct) << flags;
}

TEST(SelectPlane, ShiftAndCapsCancelAndUmlautPicksTheAccentedCase)
{
    EXPECT_EQ(SelectPlane(false, false, false, false), kPlaneNormal);
    EXPECT_EQ(SelectPlane(true, false, false, false), kPlaneShift);
    EXPECT_EQ(SelectPlane(false, true, false, false), kPlaneShift);
    EXPECT_EQ(SelectPlane(true, true, false, false), kPlaneNormal);
    EXPECT_EQ(SelectPlane(false, false, false, true), kPlaneUmlaut);
    EXPECT_EQ(SelectPlane(true, false, false, true), kPlaneUmlautShift);
    EXPECT_EQ(SelectPlane(false, true, false, true), kPlaneUmlautShift);
    EXPECT_EQ(SelectPlane(true, true, false, true), kPlaneUmlaut);
}

TEST(KeyCharacter, KeysTypeTheCharacterOfTheSelectedPlane)
{
    EXPECT_EQ(Typed(20, false, false, false, false), u'q');
    EXPECT_EQ(Typed(20, true, false, false, false), u'Q');
    EXPECT_EQ(Typed(20, true, true, false, false), u'q');
    EXPECT_EQ(Typed(20, true, false, true, false), u'~');
    EXPECT_EQ(Typed(30, false, true, false, true), u'\u00D2');
    EXPECT_EQ(Typed(30, false, false, false, true), u'\u00F2');
    EXPECT_EQ(Typed(54, false, false, false, false), u' ');
    EXPECT_EQ(Typed(55, false, false, true, true), u' ');
    EXPECT_EQ(Typed(51, true, false, false, true), u'\t');
}

TEST(KeyCharacter, SpecialKeysAndUnknownCodesTypeNothing)
{
    const char16_t *plane = DefaultKeyMap().Plane(kPlaneNormal);
    for (KeyCode code : {KC_NONE, KC_PAD, KC_DELETE, KC_ENTER, KC_MENU, 20, 49, 90, 1000, -50})
        EXPECT_EQ(KeyCharacter(plane, code), std::nullopt) << "code " << code;
    EXPECT_EQ(KeyCharacter(plane, KC_CHAR_BASE), u'1');
    EXPECT_EQ(KeyCharacter(plane, KC_TAB), u'\t');
}

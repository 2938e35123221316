#include "keyboard/KeyGeometry.h"
#include "keyboard/KeyMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <ostream>
#include <vector>

void PrintTo(const Rect &r, std::ostream *out)
{
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {
constexpr int kLayouts[] = {KL_FLAT, KL_CREST, KL_TROUGH};

std::vector<int> SlotsOf(KeyCode code)
{
    std::vector<int> slots;
    for (int index = 0; index < kKeySlotCount; ++index)
        if (KeyCodeOfIndex(index) == code)
            slots.push_back(index);
    return slots;
}

Rect Key(int slot, int layout, bool rightHanded = true)
{
    return GetKeyRect(KeyCodeOfIndex(slot), slot, layout, rightHanded);
}
}

// Which characters each cell types is proven by the real-window suite, which
// types every cell of every plane; here the slot table around them.
TEST(KeyCodes, SpecialKeysSitInTheirSlotsAndEveryCharacterCodeInOne)
{
    const std::map<KeyCode, std::vector<int>> expected = {
        {KC_DELETE, {0}}, {KC_PAD, {1, 2, 3, 4, 5, 6, 7}}, {KC_LINE_LIST, {8}}, {KC_BACKSPACE, {9}},
        {KC_ENTER, {39, 49}}, {KC_MENU, {50}}, {KC_TAB, {51}}, {KC_SHIFT, {52}}, {KC_LEFT, {53}},
        {KC_SPACE, {54, 55}}, {KC_RIGHT, {56}}, {KC_CAPS, {57}}, {KC_PUNCT, {58}}, {KC_UMLAUT, {59}},
        {KC_CHAR_BASE, {10}}, {KC_CHAR_BASE + 26, {20}}, {KC_CHAR_BASE + 35, {40}}, {KC_CHAR_BASE + 37, {48}}, {4, {}}, {KC_NONE, {}}};
    for (const auto &[code, slots] : expected)
        EXPECT_EQ(SlotsOf(code), slots) << "code " << code;
    for (KeyCode code = KC_CHAR_BASE; code < KC_SPACE; ++code)
        EXPECT_EQ(SlotsOf(code).size(), 1u) << "code " << code;
    for (int index : {-1, 60, 0x7fffffff, -0x7fffffff - 1})
        EXPECT_EQ(KeyCodeOfIndex(index), KC_NONE) << "index " << index;
    // Labels: the first 38 character keys; Tab is a character key without one.
    for (const auto &[code, label, character] :
         {std::tuple(KC_CHAR_BASE - 1, false, false), {KC_CHAR_BASE, true, true}, {87, true, true},
          {KC_SPACE, false, true}, {KC_TAB, false, true}, {KC_TAB + 1, false, false}, {KC_ENTER, false, false}})
        EXPECT_TRUE(KeyHasLabel(code) == label && IsCharacterKey(code) == character) << "code " << code;
}

TEST(KeyMaps, PlanesAreByteRangesOfTheMapAndPlaneSelectionFollowsTheFlags)
{
    KeyMap map = DefaultKeyMap();
    // Plane 2 starts at byte 80; its cell 12 is U+2122, little-endian.
    EXPECT_EQ(map.Bytes()[2 * 80 + 2 * 12], 0x22);
    EXPECT_EQ(map.Bytes()[2 * 80 + 2 * 12 + 1], 0x21);
    for (int plane = 0; plane < kKeyMapPlanes; ++plane)
        EXPECT_EQ(reinterpret_cast<unsigned char *>(map.Plane(plane)), map.Bytes() + 80 * plane);
    EXPECT_TRUE(map.Plane(-1) == nullptr && map.Plane(kKeyMapPlanes) == nullptr);
    // A reload writes over the bytes: plane pointers taken before show the new map.
    char16_t *shiftPlane = map.Plane(kPlaneShift);
    KeyMap other = DefaultKeyMap();
    other.m_chCells[kPlaneShift][38] = u'_';
    std::memcpy(map.Bytes(), other.Bytes(), kKeyMapBytes);
    EXPECT_EQ(KeyCharacter(shiftPlane, KC_SPACE), u'_');
    EXPECT_TRUE(map == other && !(map == DefaultKeyMap()));
    // Flags shift, caps, umlaut (bits 0..2) without Punct, which wins over all.
    const int planes[] = {kPlaneNormal, kPlaneShift, kPlaneShift, kPlaneNormal,
                          kPlaneUmlaut, kPlaneUmlautShift, kPlaneUmlautShift, kPlaneUmlaut};
    for (int flags = 0; flags < 8; ++flags) {
        EXPECT_EQ(SelectPlane(flags & 1, flags & 2, false, flags & 4), planes[flags]) << flags;
        EXPECT_EQ(SelectPlane(flags & 1, flags & 2, true, flags & 4), kPlanePunct) << flags;
    }
    const char16_t *normal = DefaultKeyMap().Plane(kPlaneNormal);
    for (KeyCode code : {KC_NONE, KC_PAD, KC_DELETE, KC_ENTER, KC_MENU, 20, 49, 90, 1000, -50})
        EXPECT_EQ(KeyCharacter(normal, code), std::nullopt) << "code " << code;
    EXPECT_EQ(KeyCharacter(nullptr, KC_CHAR_BASE), std::nullopt);
    EXPECT_TRUE(KeyCharacter(normal, KC_CHAR_BASE) == u'1' && KeyCharacter(normal, KC_TAB) == u'\t');
}

TEST(KeyGeometry, RectanglesOfEachLayoutAndDirection)
{
    for (const auto &[slot, layout, rect] :
         {std::tuple(10, KL_FLAT, Rect{30, 288, 75, 320}), {49, KL_FLAT, Rect{120, 0, 210, 32}},
          {39, KL_FLAT, Rect{120, 0, 210, 32}}, {40, KL_CREST, Rect{170, 288, 210, 320}},
          {44, KL_CREST, Rect{150, 160, 190, 192}}, {49, KL_CREST, Rect{130, 0, 210, 32}},
          {10, KL_TROUGH, Rect{30, 288, 70, 320}}, {14, KL_TROUGH, Rect{50, 160, 90, 192}},
          {39, KL_TROUGH, Rect{110, 0, 190, 32}}, {8, KL_CREST, Rect{0, 32, 30, 48}},
          {0, KL_TROUGH, Rect{0, 288, 30, 320}}, {55, KL_FLAT, Rect{210, 128, 240, 192}},
          {59, KL_CREST, Rect{210, 0, 240, 32}}, {12, -1, Key(12, KL_FLAT)}, {12, 3, Key(12, KL_FLAT)}})
        EXPECT_EQ(Key(slot, layout), rect) << "slot " << slot << " layout " << layout;
    // Left-handed: the half turn (239 - r, not 240 - r) of every rectangle.
    EXPECT_EQ(Key(10, KL_FLAT, false), (Rect{164, -1, 209, 31}));
    EXPECT_EQ(Key(8, KL_TROUGH, false), (Rect{209, 271, 239, 287}));
    const std::pair<Point, Point> marks[] = {{{200, 35}, {39, 284}}, {{195, 178}, {44, 141}}, {{32, 178}, {207, 141}}};
    for (const int layout : kLayouts) {
        EXPECT_EQ(WatermarkOrigin(layout, true), marks[layout].first);
        EXPECT_EQ(WatermarkOrigin(layout, false), marks[layout].second);
        for (int a = 0; a < kKeySlotCount; ++a) {
            const Rect rect = Key(a, layout);
            SCOPED_TRACE(testing::Message() << "layout " << layout << " slot " << a);
            EXPECT_EQ(MirrorRect(Key(a, layout, false)), rect);
            EXPECT_TRUE(rect.Width() > 0 && rect.Height() > 0 && rect.left >= 0 && rect.top >= 0 &&
                        rect.right <= 240 && rect.bottom <= 320);
            // No two keys overlap; Enter and the space bar fill both their slots.
            const KeyCode code = KeyCodeOfIndex(a);
            for (int b = a + 1; b < kKeySlotCount; ++b)
                EXPECT_EQ(rect.Intersects(Key(b, layout)), code == KeyCodeOfIndex(b) && (code == KC_ENTER || code == KC_SPACE))
                    << "slot " << b;
        }
    }
    EXPECT_EQ(WatermarkOrigin(7, true), WatermarkOrigin(KL_FLAT, true));
}

TEST(KeyGeometry, HitTestFindsASlotForEveryPixelAndNoneOutside)
{
    // x, y, layout, slot: the strips' edges, the rows' gaps, unknown layouts.
    for (const auto &[x, y, layout, slot] :
         {std::tuple(0, 0, KL_FLAT, 9), {29, 319, KL_FLAT, 0}, {15, 48, KL_FLAT, 7}, {15, 32, KL_FLAT, 7},
          {15, 33, KL_FLAT, 8}, {15, 47, KL_FLAT, 8}, {30, 319, KL_FLAT, 10}, {74, 319, KL_FLAT, 10},
          {75, 319, KL_FLAT, 20}, {210, 0, KL_FLAT, 59}, {239, 319, KL_CREST, 50}, {30, 0, KL_CREST, 19},
          {210, 160, KL_CREST, 44}, {49, 160, KL_TROUGH, 14}, {100, 100, 3, 26}, {100, 100, -1, 26},
          {-1, 0, KL_FLAT, -1}, {240, 0, KL_CREST, -1}, {0, 320, KL_TROUGH, -1}, {0, -1, KL_FLAT, -1}})
        EXPECT_EQ(HitTestKey({x, y}, layout), slot) << x << "," << y << " layout " << layout;
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH, 7})
        for (int x = 0; x < 240; ++x)
            for (int y = 0; y < 320; ++y)
                ASSERT_LT(unsigned(HitTestKey({x, y}, layout)), unsigned(kKeySlotCount)) << x << "," << y;
}

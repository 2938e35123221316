#include "keyboard/KeyCode.h"
#include "keyboard/KeyMap.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {
std::vector<int> SlotsOf(KeyCode code)
{
    std::vector<int> slots;
    for (int index = 0; index < kKeySlotCount; ++index) {
        if (KeyCodeOfIndex(index) == code)
            slots.push_back(index);
    }
    return slots;
}
}

TEST(KeyCodeOfIndex, TwoSlotKeysHaveOneCodeInBothSlots)
{
    EXPECT_EQ(SlotsOf(KC_ENTER), (std::vector<int>{39, 49}));
    EXPECT_EQ(SlotsOf(KC_SPACE), (std::vector<int>{54, 55}));
}

TEST(KeyCodeOfIndex, SpecialKeysSitInTheirStrips)
{
    const std::map<KeyCode, std::vector<int>> expected = {
        {KC_DELETE, {0}}, {KC_PAD, {1, 2, 3, 4, 5, 6, 7}}, {KC_LINE_LIST, {8}},
        {KC_BACKSPACE, {9}}, {KC_MENU, {50}}, {KC_TAB, {51}}, {KC_SHIFT, {52}},
        {KC_LEFT, {53}}, {KC_RIGHT, {56}}, {KC_CAPS, {57}}, {KC_PUNCT, {58}}, {KC_UMLAUT, {59}},
    };
    for (const auto &[code, slots] : expected)
        EXPECT_EQ(SlotsOf(code), slots) << "code " << code;
    for (KeyCode unused : {4, 5, 11, 12, 15, 16, 17})
        EXPECT_TRUE(SlotsOf(unused).empty()) << "code " << unused;
}

// The character rows, read left to right and top to bottom, carry the digits
// and a QWERTY block; with the default map each key must type what it shows
// on a real keyboard, which ties every code 50..87 to its one slot.
TEST(KeyCodeOfIndex, CharacterRowsTypeTheQwertyBlock)
{
    const std::u16string rows = u"1234567890qwertyuiopasdfghjkl\nzxcvbnm,.\n";
    const char16_t *normal = DefaultKeyMap().Plane(kPlaneNormal);
    for (int index = 10; index < 50; ++index) {
        const KeyCode code = KeyCodeOfIndex(index);
        const char16_t wanted = rows[index - 10];
        if (wanted == u'\n') {
            EXPECT_EQ(code, KC_ENTER) << "slot " << index;
            continue;
        }
        EXPECT_EQ(KeyCharacter(normal, code), wanted) << "slot " << index;
    }
    for (KeyCode code = KC_CHAR_BASE; code < KC_SPACE; ++code)
        EXPECT_EQ(SlotsOf(code).size(), 1u) << "code " << code;
}

TEST(KeyCodeOfIndex, IndexesOutsideTheBoardHaveNoKey)
{
    for (int index : {-1, -60, 60, 61, 100, 0x7fffffff, -0x7fffffff - 1})
        EXPECT_EQ(KeyCodeOfIndex(index), KC_NONE) << "index " << index;
    for (int index = 0; index < kKeySlotCount; ++index)
        EXPECT_NE(KeyCodeOfIndex(index), KC_NONE) << "index " << index;
}

TEST(KeyLabels, OnlyTheFirstThirtyEightCharacterKeysShowALabel)
{
    EXPECT_FALSE(KeyHasLabel(KC_CHAR_BASE - 1));
    EXPECT_TRUE(KeyHasLabel(KC_CHAR_BASE));
    EXPECT_TRUE(KeyHasLabel(87));
    EXPECT_FALSE(KeyHasLabel(KC_SPACE));
    EXPECT_FALSE(KeyHasLabel(KC_TAB));
    EXPECT_FALSE(KeyHasLabel(KC_ENTER));
    EXPECT_TRUE(IsCharacterKey(KC_TAB));
    EXPECT_FALSE(IsCharacterKey(KC_TAB + 1));
}

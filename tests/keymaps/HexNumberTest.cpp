#include "keymaps/HexNumber.h"

#include <gtest/gtest.h>

#include <string>

TEST(HexNumber, ReadsDigitsFromTheRightAndStopsAtTheFirstOtherCharacter)
{
    const std::tuple<std::u16string, bool, std::uint32_t> cases[] = {
        {u"", true, 0},           {u"20ac", true, 0x20AC},   {u"FFFFFFFF", true, 0xFFFFFFFF},
        {u"123456789", true, 0x23456789}, {std::u16string(5000, u'F'), true, 0xFFFFFFFF},
        {u"0x41", false, 0x41},   {u" 41", false, 0x41},     {u"-1", false, 1},
        {u"12g4", false, 4},      {u"\u0661", false, 0},
    };
    for (const auto &[text, valid, expected] : cases) {
        std::uint32_t value = 12345;
        EXPECT_EQ(ParseHexNumber(text, value), valid) << text.size();
        EXPECT_EQ(value, expected) << text.size();
    }
}

#include "keymaps/KeyMapText.h"

#include <gtest/gtest.h>

#include <string>

namespace {
KeyMap MapOfValues(unsigned first)
{
    KeyMap map;
    for (int plane = 0; plane < kKeyMapPlanes; ++plane)
        for (int cell = 0; cell < kKeyMapCells; ++cell)
            map.m_chCells[plane][cell] = char16_t(first + plane * kKeyMapCells + cell);
    return map;
}

std::string Replaced(std::string text, const std::string &from, const std::string &to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}
}

TEST(KeyMapText, EverySixteenBitValueComesBackUnchanged)
{
    // Controls, surrogates and the noncharacters included.
    for (unsigned first = 0; first < 0x10000; first += 200) {
        const KeyMap map = MapOfValues(first);
        KeyMap read = DefaultKeyMap();
        const KeyMapTextResult result = KeyMapFromText(KeyMapToText(map), read);
        ASSERT_TRUE(result.m_bOk) << first << ": " << result.m_strError;
        ASSERT_EQ(read, map) << first;
    }
}

TEST(KeyMapText, ShowsVisibleCharactersOnlyAndTakesTextFromOtherEditors)
{
    const std::string text = KeyMapToText(DefaultKeyMap());
    EXPECT_NE(text.find("umlaut-shift  4  U+00C4  \xC3\x84\n"), std::string::npos);
    EXPECT_NE(text.find("normal       38  U+0020\n"), std::string::npos);
    // A byte order mark, CR LF, comments and lines in another order are fine.
    std::string edited = "\xEF\xBB\xBF" + Replaced(text, "normal        0  U+0031  1\n", "");
    edited += "# moved\r\n  normal 0 u+31\r\n";
    KeyMap read;
    ASSERT_TRUE(KeyMapFromText(edited, read).m_bOk);
    EXPECT_EQ(read, DefaultKeyMap());
}

TEST(KeyMapText, BadTextSaysWhereAndLeavesTheMapAlone)
{
    const std::string text = KeyMapToText(DefaultKeyMap());
    const std::string line = "shift        10  U+0041  A";
    const std::pair<std::string, std::string> cases[] = {
        {Replaced(text, line, "shiftt       10  U+0041  A"), "line 59: unknown plane 'shiftt'"},
        {Replaced(text, line, "shift        40  U+0041  A"), "line 59: cell '40' is not a number from 0 to 39"},
        {Replaced(text, line, "shift        10  U+10041"), "line 59: code point 'U+10041' is not"},
        {Replaced(text, line, "shift        10  0041  A"), "line 59: code point '0041' is not"},
        {Replaced(text, line, "shift        10  U+0041  B"), "line 59: the character 'B' is U+0042, not U+0041"},
        {Replaced(text, line, "shift        10  U+0041  \xC3"), "line 59: '\xC3' is not one character in UTF-8"},
        {Replaced(text, line, "shift        10  U+0041  A A"), "line 59: expected a plane, a cell, a code point"},
        {Replaced(text, line, "shift        11  U+0041  A"), "line 60: shift cell 11 was already given on line 59"},
        {Replaced(text, line, ""), "shift cell 10 is missing (1 of the 200 lines are missing)"},
        {"", "normal cell 0 is missing (200 of the 200 lines are missing)"},
    };
    for (const auto &[bad, error] : cases) {
        KeyMap map = MapOfValues(7);
        const KeyMapTextResult result = KeyMapFromText(bad, map);
        EXPECT_FALSE(result.m_bOk) << error;
        EXPECT_EQ(result.m_strError.substr(0, error.size()), error);
        EXPECT_EQ(map, MapOfValues(7)) << error;
    }
}

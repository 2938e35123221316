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

// Line 59 of the default map's text is "shift 10 U+0041 A"; a byte order
// mark, CR LF, comments and lines in another order are fine.
TEST(KeyMapText, TextFromOtherEditorsIsTakenAndBadTextSaysWhereAndLeavesTheMapAlone)
{
    const std::string text = KeyMapToText(DefaultKeyMap());
    const std::string line = "shift        10  U+0041  A\n";
    const std::pair<std::string, std::string> cases[] = {
        {"shiftt       10  U+0041  A\n", "line 59: unknown plane 'shiftt'"},
        {"shift        40  U+0041  A\n", "line 59: cell '40' is not a number from 0 to 39"},
        {"shift        10  U+10041\n", "line 59: code point 'U+10041' is not"},
        {"shift        10  0041  A\n", "line 59: code point '0041' is not"},
        {"shift        10  U+0041  B\n", "line 59: the character 'B' is U+0042, not U+0041"},
        {"shift        10  U+0041  \xC3\n", "line 59: '\xC3' is not one character in UTF-8"},
        {"shift        10  U+0041  A A\n", "line 59: expected a plane, a cell, a code point"},
        {"shift        11  U+0041  A\n", "line 60: shift cell 11 was already given on line 59"},
        {"", "shift cell 10 is missing (1 of the 200 lines are missing)"},
        {"# moved\r\n  shift 10 u+41\r\n", ""},
    };
    for (const auto &[replacement, error] : cases) {
        KeyMap map = MapOfValues(7);
        std::string edited = "\xEF\xBB\xBF" + text;
        edited.replace(edited.find(line), line.size(), error.empty() ? "" : replacement);
        const KeyMapTextResult result = KeyMapFromText(error.empty() ? edited + replacement : edited, map);
        EXPECT_EQ(result.m_strError.substr(0, error.size()), error);
        EXPECT_EQ(result.m_bOk, error.empty()) << error;
        EXPECT_EQ(map, error.empty() ? DefaultKeyMap() : MapOfValues(7)) << error;
    }
    KeyMap map = MapOfValues(7);
    EXPECT_EQ(KeyMapFromText("", map).m_strError, "normal cell 0 is missing (200 of the 200 lines are missing)");
    EXPECT_EQ(map, MapOfValues(7));
}

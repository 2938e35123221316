#include "keymaps/HexNumber.h"
#include "keymaps/KeyMapName.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

TEST(HexNumber, ReadsDigitsFromTheRightAndStopsAtTheFirstOtherCharacter)
{
    const struct {
        std::u16string text;
        bool bValid;
        std::uint32_t value;
    } cases[] = {
        {u"", true, 0},
        {u"20ac", true, 0x20AC},
        {u"1F600", true, 0x1F600},
        {u"FFFFFFFF", true, 0xFFFFFFFF},
        {u"123456789", true, 0x23456789},
        {std::u16string(5000, u'F'), true, 0xFFFFFFFF},
        {u"0x41", false, 0x41},
        {u" 41", false, 0x41},
        {u"-1", false, 1},
        {u"12g4", false, 4},
        {u"\u0661", false, 0},
    };
    for (const auto &c : cases) {
        std::uint32_t value = 12345;
        EXPECT_EQ(ParseHexNumber(c.text, value), c.bValid) << c.text.size();
        EXPECT_EQ(value, c.value) << c.text.size();
    }
}

TEST(KeyMapName, AddsTheExtensionUnlessPresentAndRefusesNamesOutsideTheFolder)
{
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"German", u"German.kmap"}, {u"German.KMAP", u"German.KMAP"}, {u"my.map", u"my.map.kmap"},
        {u"a.kmap.x", u"a.kmap.x.kmap"}, {u"", u""}, {u"..", u""}, {u".", u""}, {u"../German", u""},
        {u"sub/German", u""}, {u"sub\\German", u""}, {std::u16string(u"Ger\0man", 7), u""},
    };
    for (const auto &[typed, completed] : cases)
        EXPECT_EQ(CompleteKeyMapName(typed), completed);
}

TEST(KeyMapName, PreparingCreatesAMissingFileAndKeepsAnExistingOne)
{
    std::string pattern = (fs::temp_directory_path() / "quorlex-names-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    const std::u16string folderText = folder.u16string();
    std::ofstream(folder / "Old.kmap") << "old map";
    fs::create_directory(folder / "Dir.kmap");

    EXPECT_TRUE(PrepareKeyMapFile(folderText, u"New.kmap"));
    EXPECT_EQ(fs::file_size(folder / "New.kmap"), 0u);
    EXPECT_TRUE(PrepareKeyMapFile(folderText, u"Old.kmap"));
    EXPECT_EQ(fs::file_size(folder / "Old.kmap"), 7u);
    EXPECT_FALSE(PrepareKeyMapFile(folderText, u"Dir.kmap"));
    EXPECT_FALSE(PrepareKeyMapFile(folderText + u"/Missing", u"New.kmap"));
    EXPECT_FALSE(PrepareKeyMapFile(folderText, u"../Outside.kmap"));
    EXPECT_FALSE(fs::exists(folder.parent_path() / "Outside.kmap"));
    fs::remove_all(folder);
}

#include "keymaps/HexNumber.h"
#include "keymaps/KeyMapName.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

TEST(HexNumber, ReadsDigitsFromTheRightAndStopsAtTheFirstOtherCharacter)
{
    const std::tuple<std::u16string, bool, std::uint32_t> cases[] = {
        {u"", true, 0},          {u"20ac", true, 0x20AC},          {u"FFFFFFFF", true, 0xFFFFFFFF},
        {u"123456789", true, 0x23456789}, {std::u16string(5000, u'F'), true, 0xFFFFFFFF},
        {u"0x41", false, 0x41},  {u" 41", false, 0x41},            {u"-1", false, 1},
        {u"12g4", false, 4},     {u"\u0661", false, 0},
    };
    for (const auto &[text, valid, expected] : cases) {
        std::uint32_t value = 12345;
        EXPECT_EQ(ParseHexNumber(text, value), valid) << text.size();
        EXPECT_EQ(value, expected) << text.size();
    }
}

TEST(KeyMapName, PreparingCreatesAMissingFileKeepsAnExistingOneAndRefusesAFolder)
{
    std::string pattern = (fs::temp_directory_path() / "quorlex-names-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    std::ofstream(folder / "Old.kmap") << "old map";
    fs::create_directory(folder / "Dir.kmap");
    EXPECT_TRUE(PrepareKeyMapFile(folder.u16string(), u"New.kmap"));
    EXPECT_EQ(fs::file_size(folder / "New.kmap"), 0u);
    EXPECT_TRUE(PrepareKeyMapFile(folder.u16string(), u"Old.kmap"));
    EXPECT_EQ(fs::file_size(folder / "Old.kmap"), 7u);
    EXPECT_FALSE(PrepareKeyMapFile(folder.u16string(), u"Dir.kmap"));
    EXPECT_EQ(CompleteKeyMapName(u"a.kmap.x"), u"a.kmap.x.kmap");
    EXPECT_EQ(CompleteKeyMapName(std::u16string(u"Ger\0man", 7)), u"");
    fs::remove_all(folder);
}

#include "keyboard/SkinFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {
std::string LittleEndian(std::uint32_t value)
{
    return {char(value & 0xFF), char(value >> 8 & 0xFF), char(value >> 16 & 0xFF), char(value >> 24 & 0xFF)};
}

std::string ReadAll(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SkinFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("skinfile-" + std::to_string(::getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
        m_temp = m_folder / "tempFile";
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder;
    std::filesystem::path m_temp;
};
}

TEST_F(SkinFileTest, ColoursAreLittleEndianInFileOrder)
{
    std::string bytes;
    for (std::uint32_t i = 0; i < kSkinColorCount; ++i)
        bytes += std::string{char(0x10 + i), char(0x20 + i), char(0x30 + i), 0};
    std::istringstream skin(bytes);
    SkinColors colors;
    for (int i = 0; i < kSkinColorCount; ++i)
        ASSERT_TRUE(ReadSkinColor(skin, colors.InFileOrder(i)));
    EXPECT_EQ(colors.m_crLabelUp, 0x302010u);
    EXPECT_EQ(colors.m_crText, 0x322212u);
    EXPECT_EQ(colors.m_crSelBack, 0x352515u);
    EXPECT_EQ(colors.m_crMark, 0x362616u);
    std::uint32_t more = 0;
    EXPECT_FALSE(ReadSkinColor(skin, more));

    std::istringstream shortSkin(std::string("\x01\x02\x03", 3));
    EXPECT_FALSE(ReadSkinColor(shortSkin, more));
}

TEST_F(SkinFileTest, ImagesAreCopiedWholeOneAfterTheOther)
{
    std::string first(2500, '\0');
    for (std::size_t i = 0; i < first.size(); ++i)
        first[i] = char(i * 7);
    const std::string second = "second image";
    std::istringstream skin(LittleEndian(2500) + first + LittleEndian(0) + LittleEndian(12) + second + "tail");
    ASSERT_TRUE(ExtractSkinImage(skin, m_temp));
    EXPECT_EQ(ReadAll(m_temp), first);
    ASSERT_TRUE(ExtractSkinImage(skin, m_temp));
    EXPECT_TRUE(std::filesystem::exists(m_temp));
    EXPECT_EQ(std::filesystem::file_size(m_temp), 0u);
    ASSERT_TRUE(ExtractSkinImage(skin, m_temp));
    EXPECT_EQ(ReadAll(m_temp), second);
}

TEST_F(SkinFileTest, BadLengthsAndUnwritableScratchFileFail)
{
    const std::string image(100, 'x');
    const std::string cases[] = {
        "", std::string("\x05\x00", 2),       // length cut short
        LittleEndian(101) + image,            // one byte more than there is
        LittleEndian(5000) + image,           // cut inside the image, past a chunk
        LittleEndian(0xFFFFFFFFu) + image,    // more than any file holds
    };
    for (const std::string &bytes : cases) {
        std::istringstream skin(bytes);
        EXPECT_FALSE(ExtractSkinImage(skin, m_temp)) << bytes.size() << " bytes";
    }
    std::filesystem::create_directory(m_folder / "blocked");
    std::istringstream skin(LittleEndian(100) + image);
    EXPECT_FALSE(ExtractSkinImage(skin, m_folder / "blocked"));
}

TEST(SkinFile, OnlyPlainFileNamesAreSkinNames)
{
    EXPECT_TRUE(IsSafeSkinName(u"Dark Blue.kbskn"));
    EXPECT_TRUE(IsSafeSkinName(u"..kbskn"));
    for (const std::u16string &name : {std::u16string(), std::u16string(u"."), std::u16string(u".."),
                                      std::u16string(u"../x.kbskn"), std::u16string(u"a\\b"),
                                      std::u16string(u"a\0b", 3)})
        EXPECT_FALSE(IsSafeSkinName(name));
}

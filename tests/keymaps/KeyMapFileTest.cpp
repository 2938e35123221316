#include "keymaps/KeyMapFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
// Each test gets a program folder of its own with an empty KeyMaps folder.
class KeyMapFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quorlex-keymaps-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_program = pattern;
        fs::create_directory(m_program / "KeyMaps");
    }
    void TearDown() override { fs::remove_all(m_program); }

    std::u16string Program() const { return m_program.u16string(); }
    std::u16string Folder() const { return KeyMapsFolder(Program()); }
    fs::path MapPath(const std::string &name) const { return m_program / "KeyMaps" / name; }

    void PutFile(const std::string &name, std::size_t size, unsigned char fill = 0x41) const
    {
        std::ofstream out(MapPath(name), std::ios::binary);
        const std::string bytes(size, static_cast<char>(fill));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string FileBytes(const std::string &name) const
    {
        std::ifstream in(MapPath(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_program;
};

// A map that differs from the default one in every plane.
KeyMap Scribbled()
{
    KeyMap map = DefaultKeyMap();
    for (int plane = 0; plane < kKeyMapPlanes; ++plane)
        map.m_chCells[plane][plane * 7] = static_cast<char16_t>(0x2122 + plane);
    return map;
}

KeyMap Filled(char16_t value)
{
    KeyMap map;
    std::fill(&map.m_chCells[0][0], &map.m_chCells[0][0] + kKeyMapPlanes * kKeyMapCells, value);
    return map;
}
}

TEST_F(KeyMapFileTest, ReadsExactlyTheFirstFourHundredBytes)
{
    PutFile("Exact.kmap", 400, 0x41);
    PutFile("Longer.kmap", 401, 0x42);
    KeyMap map;
    EXPECT_TRUE(LoadKeyMap(map, Program(), u"Exact.kmap").m_bOk);
    EXPECT_TRUE(map == Filled(0x4141));
    const KeyMapFileResult longer = LoadKeyMap(map, Program(), u"Longer.kmap");
    EXPECT_TRUE(longer.m_bOk);
    EXPECT_TRUE(longer.m_strMessage.empty());
    EXPECT_TRUE(map == Filled(0x4242));
}

TEST_F(KeyMapFileTest, HugeFileLoadsFromItsStart)
{
    PutFile("Huge.kmap", 10 * 1024 * 1024, 0x43);
    KeyMap map;
    EXPECT_TRUE(LoadKeyMap(map, Program(), u"Huge.kmap").m_bOk);
    EXPECT_TRUE(map == Filled(0x4343));
}

TEST_F(KeyMapFileTest, ShortFilesAreNotValidAndLeaveTheDefaultMap)
{
    for (std::size_t size : {0u, 1u, 398u, 399u}) {
        PutFile("Short.kmap", size);
        KeyMap map = Filled(0x5555);
        const KeyMapFileResult result = LoadKeyMap(map, Program(), u"Short.kmap");
        EXPECT_FALSE(result.m_bOk) << size;
        EXPECT_EQ(result.m_strMessage, u"The key map file -'" + Folder() +
                                           u"/Short.kmap' is not a valid key map file. Using default key map.")
            << size;
        EXPECT_TRUE(map == DefaultKeyMap()) << size;
    }
}

TEST_F(KeyMapFileTest, MissingFileAndMissingFolderAreReportedWithTheirPath)
{
    KeyMap map = Filled(0x5555);
    KeyMapFileResult result = LoadKeyMap(map, Program(), u"French.kmap");
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strMessage,
              u"The key map file -'" + Folder() + u"/French.kmap' does not exist.  Using default key map.");
    EXPECT_TRUE(map == DefaultKeyMap());

    fs::remove_all(m_program / "KeyMaps");
    map = Filled(0x5555);
    result = LoadKeyMap(map, Program(), u"French.kmap");
    EXPECT_FALSE(result.m_bOk);
    EXPECT_TRUE(map == DefaultKeyMap());
    EXPECT_EQ(ListKeyMaps(Program()), std::vector<std::u16string>{kDefaultKeyMapName});
}

TEST_F(KeyMapFileTest, FoldersAndPipesCannotBeOpenedAsMaps)
{
    fs::create_directory(MapPath("Folder.kmap"));
    ASSERT_EQ(mkfifo(MapPath("Pipe.kmap").c_str(), 0600), 0);
    for (const std::u16string name : {u"Folder.kmap", u"Pipe.kmap"}) {
        KeyMap map = Filled(0x5555);
        const KeyMapFileResult result = LoadKeyMap(map, Program(), name);
        EXPECT_FALSE(result.m_bOk);
        EXPECT_EQ(result.m_strMessage,
                  u"The key map file -'" + Folder() + u"/" + name + u"' could not be opened.  Using default key map.");
        EXPECT_TRUE(map == DefaultKeyMap());
    }
}

TEST_F(KeyMapFileTest, ReservedNameIsExactAndNeverReadFromDisk)
{
    PutFile("Default Key Map", 400, 0x44);
    KeyMap map = Filled(0x5555);
    const KeyMapFileResult reserved = LoadKeyMap(map, Program(), kDefaultKeyMapName);
    EXPECT_TRUE(reserved.m_bOk);
    EXPECT_TRUE(reserved.m_strMessage.empty());
    EXPECT_TRUE(map == DefaultKeyMap());

    PutFile("default key map", 400, 0x44);
    EXPECT_TRUE(LoadKeyMap(map, Program(), u"default key map").m_bOk);
    EXPECT_TRUE(map == Filled(0x4444));
}

// A name comes from the settings file or the editor's name field; it must not
// reach a file outside the KeyMaps folder.
TEST_F(KeyMapFileTest, NamesThatLeaveTheFolderAreNeverFollowed)
{
    PutFile("Inside.kmap", 400, 0x45);
    std::ofstream(m_program / "Outside.kmap", std::ios::binary) << std::string(400, 'F');
    const std::vector<std::u16string> names = {
        u"../Outside.kmap", u"../KeyMaps/Inside.kmap", u"sub/../Inside.kmap", u"..\\Outside.kmap",
        m_program.u16string() + u"/Outside.kmap", u"..", u"", std::u16string(u"Inside.kmap\0", 12)};
    for (const std::u16string &name : names) {
        KeyMap map = Filled(0x5555);
        const KeyMapFileResult read = LoadKeyMap(map, Program(), name);
        EXPECT_FALSE(read.m_bOk);
        EXPECT_EQ(read.m_strMessage,
                  u"The key map file -'" + Folder() + u"/" + name + u"' does not exist.  Using default key map.");
        EXPECT_TRUE(map == DefaultKeyMap());
        const KeyMapFileResult written = WriteKeyMapIn(Scribbled(), Folder(), name);
        EXPECT_FALSE(written.m_bOk);
        EXPECT_EQ(written.m_strMessage, u"The key map file -'" + Folder() + u"/" + name + u"' could not be created.");
    }
    EXPECT_EQ(FileBytes("../Outside.kmap"), std::string(400, 'F'));
    EXPECT_EQ(FileBytes("Inside.kmap"), std::string(400, 'E'));
}

TEST_F(KeyMapFileTest, WriteAndReadKeepEveryCodeUnit)
{
    KeyMap written = Scribbled();
    written.m_chCells[4][39] = 0xD800;
    written.m_chCells[1][1] = 0x0000;
    ASSERT_TRUE(WriteKeyMapIn(written, Folder(), u"Fran\u00E7ais.kmap").m_bOk);
    ASSERT_EQ(fs::file_size(MapPath("Fran\xC3\xA7" "ais.kmap")), 400u);
    const std::string bytes = FileBytes("Fran\xC3\xA7" "ais.kmap");
    // Cell 14 of plane 2 is U+2124 here, little-endian at offset 160.
    EXPECT_EQ(static_cast<unsigned char>(bytes[160 + 14 * 2]), 0x24);
    EXPECT_EQ(static_cast<unsigned char>(bytes[160 + 14 * 2 + 1]), 0x21);
    KeyMap read;
    EXPECT_TRUE(ReadKeyMapIn(read, Folder(), u"Fran\u00E7ais.kmap").m_bOk);
    EXPECT_TRUE(read == written);
}

TEST_F(KeyMapFileTest, OverwriteLeavesExactlyTheNewMap)
{
    PutFile("Old.kmap", 5000, 0x47);
    ASSERT_TRUE(WriteKeyMapIn(DefaultKeyMap(), Folder(), u"Old.kmap").m_bOk);
    EXPECT_EQ(FileBytes("Old.kmap"), std::string(reinterpret_cast<const char *>(DefaultKeyMap().Bytes()), 400));
    // No scratch file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_program / "KeyMaps"), fs::directory_iterator()), 1);
}

TEST_F(KeyMapFileTest, UnwritableFolderChangesNothing)
{
    KeyMapFileResult result = WriteKeyMapIn(DefaultKeyMap(), Program() + u"/Missing", u"A.kmap");
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strMessage, u"The key map file -'" + Program() + u"/Missing/A.kmap' could not be created.");
    EXPECT_FALSE(fs::exists(m_program / "Missing"));

    // Root may write into any folder, so a plain file stands where the folder should be.
    fs::remove_all(m_program / "KeyMaps");
    std::ofstream(m_program / "KeyMaps") << "not a folder";
    result = WriteKeyMapIn(DefaultKeyMap(), Folder(), u"A.kmap");
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strMessage, u"The key map file -'" + Folder() + u"/A.kmap' could not be created.");
    EXPECT_EQ(fs::file_size(m_program / "KeyMaps"), 12u);
    EXPECT_EQ(ListKeyMaps(Program()), std::vector<std::u16string>{kDefaultKeyMapName});
}

// A write that breaks off half way (here at the process's file size limit, which
// binds root too) must leave the map that stood under the name.
TEST_F(KeyMapFileTest, WriteThatBreaksOffKeepsTheOldMap)
{
    PutFile("Busy.kmap", 400, 0x48);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const KeyMapFileResult result = WriteKeyMapIn(Scribbled(), Folder(), u"Busy.kmap");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(result.m_bOk);
    EXPECT_EQ(result.m_strMessage, u"The key map file -'" + Folder() + u"/Busy.kmap' could not be created.");
    EXPECT_EQ(FileBytes("Busy.kmap"), std::string(400, 'H'));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_program / "KeyMaps"), fs::directory_iterator()), 1);
}

TEST_F(KeyMapFileTest, ListingPutsTheDefaultFirstThenEveryKmapFile)
{
    for (const char *name : {"a.kmap", "B.KMAP", "c.Kmap", "d.kmap.bak", "e.txt", "kmap", "f.kmapx", ".kmap"})
        PutFile(name, 400);
    fs::create_directory(MapPath("folder.kmap"));
    PutFile("bad\xFF.kmap", 400);
    std::vector<std::u16string> names = ListKeyMaps(Program());
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), kDefaultKeyMapName);
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{kDefaultKeyMapName, u".kmap", u"B.KMAP", u"a.kmap", u"c.Kmap"}));
}

// Dots inside a name are no way out of the folder.
TEST(KeyMapNames, DotsWithinOneFileNameAreSafe)
{
    for (const std::u16string name : {u"my..kmap", u"...", u".kmap", u"Default Key Map"})
        EXPECT_TRUE(IsSafeKeyMapName(name)) << std::string(name.begin(), name.end());
}

TEST(KeyMapNames, TextThatIsNoPathIsAMissingFile)
{
    KeyMap map;
    const std::u16string broken(1, char16_t(0xDC00));
    EXPECT_FALSE(ReadKeyMapFile(map, broken + u".kmap").m_bOk);
    EXPECT_FALSE(WriteKeyMapFile(map, u"/tmp/" + broken + u".kmap").m_bOk);
}

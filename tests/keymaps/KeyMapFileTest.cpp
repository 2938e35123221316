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

bool operator==(const KeyMapFileResult &a, const KeyMapFileResult &b)
{
    return a.m_bOk == b.m_bOk && a.m_strMessage == b.m_strMessage;
}

void PrintTo(const KeyMapFileResult &r, std::ostream *out)
{
    *out << r.m_bOk << " " << std::string(r.m_strMessage.begin(), r.m_strMessage.end());
}

namespace {
const std::u16string kMissing = u"' does not exist.  Using default key map.";
const std::u16string kInvalid = u"' is not a valid key map file. Using default key map.";
const std::u16string kUnopened = u"' could not be opened.  Using default key map.";
const std::u16string kUncreated = u"' could not be created.";

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
    std::u16string Message(const std::u16string &name, const std::u16string &end) const
    {
        return u"The key map file -'" + Folder() + u"/" + name + end;
    }
    void PutFile(const std::string &name, std::size_t size, char fill = 'A') const
    {
        std::ofstream(m_program / "KeyMaps" / name, std::ios::binary) << std::string(size, fill);
    }
    std::string FileBytes(const std::string &name) const
    {
        std::ifstream in(m_program / "KeyMaps" / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t FilesInFolder() const
    {
        return std::distance(fs::directory_iterator(m_program / "KeyMaps"), fs::directory_iterator());
    }
    // Loads the name over a scribbled map: the result, and whether the map is the default one.
    std::pair<KeyMapFileResult, bool> Load(const std::u16string &name) const
    {
        KeyMap map = Filled(0x5555);
        const KeyMapFileResult result = LoadKeyMap(map, Program(), name);
        return {result, map == DefaultKeyMap()};
    }
    static KeyMap Filled(char16_t value)
    {
        KeyMap map;
        std::fill(&map.m_chCells[0][0], &map.m_chCells[0][0] + kKeyMapPlanes * kKeyMapCells, value);
        return map;
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
}

TEST_F(KeyMapFileTest, ReadsTheFirstFourHundredBytesOfAnyFileThatHoldsThem)
{
    for (const std::size_t size : {400u, 401u, 10u * 1024 * 1024}) {
        PutFile("Map.kmap", size, char('A' + size % 7));
        KeyMap map;
        const KeyMapFileResult result = LoadKeyMap(map, Program(), u"Map.kmap");
        EXPECT_TRUE(result.m_bOk && result.m_strMessage.empty()) << size;
        EXPECT_EQ(map, Filled(char16_t(('A' + size % 7) * 0x101))) << size;
    }
    // The reserved name is exact and never read from disk.
    PutFile("Default Key Map", 400, 'D');
    PutFile("default key map", 400, 'D');
    const auto [reserved, isDefault] = Load(kDefaultKeyMapName);
    EXPECT_TRUE(reserved.m_bOk && reserved.m_strMessage.empty() && isDefault);
    KeyMap map;
    EXPECT_TRUE(LoadKeyMap(map, Program(), u"default key map").m_bOk);
    EXPECT_EQ(map, Filled(0x4444));
}

// Names come from the settings file or the editor's name field: none may
// reach a file outside the KeyMaps folder.
TEST_F(KeyMapFileTest, ShortMissingUnopenableAndOutsideFilesGiveTheDefaultMapAndTheirMessage)
{
    for (const std::size_t size : {0u, 1u, 398u, 399u}) {
        PutFile("Short.kmap", size);
        EXPECT_EQ(Load(u"Short.kmap"), std::pair(KeyMapFileResult{false, Message(u"Short.kmap", kInvalid)}, true));
    }
    fs::create_directory(m_program / "KeyMaps/Folder.kmap");
    ASSERT_EQ(mkfifo((m_program / "KeyMaps/Pipe.kmap").c_str(), 0600), 0);
    for (const std::u16string name : {u"Folder.kmap", u"Pipe.kmap"})
        EXPECT_EQ(Load(name), std::pair(KeyMapFileResult{false, Message(name, kUnopened)}, true));
    PutFile("Inside.kmap", 400, 'E');
    std::ofstream(m_program / "Outside.kmap", std::ios::binary) << std::string(400, 'F');
    EXPECT_EQ(Load(u"French.kmap"), std::pair(KeyMapFileResult{false, Message(u"French.kmap", kMissing)}, true));
    const std::vector<std::u16string> names = {u"../Outside.kmap", u"../KeyMaps/Inside.kmap",
        u"sub/../Inside.kmap", u"..\\Outside.kmap", Program() + u"/Outside.kmap", u"..", u"", std::u16string(u"Inside.kmap\0", 12)};
    for (const std::u16string &name : names) {
        EXPECT_EQ(Load(name), std::pair(KeyMapFileResult{false, Message(name, kMissing)}, true));
        EXPECT_EQ(WriteKeyMapIn(Scribbled(), Folder(), name), (KeyMapFileResult{false, Message(name, kUncreated)}));
    }
    EXPECT_EQ(FileBytes("../Outside.kmap"), std::string(400, 'F'));
    EXPECT_EQ(FileBytes("Inside.kmap"), std::string(400, 'E'));
    // Dots within one file name are no way out; text that is no path is a missing file.
    for (const std::u16string name : {u"my..kmap", u"...", u".kmap", u"Default Key Map"})
        EXPECT_TRUE(IsSafeKeyMapName(name));
    KeyMap map;
    const std::u16string broken(1, char16_t(0xDC00));
    EXPECT_FALSE(ReadKeyMapFile(map, broken + u".kmap").m_bOk || WriteKeyMapFile(map, u"/tmp/" + broken + u".kmap").m_bOk);
    fs::remove_all(m_program / "KeyMaps");
    EXPECT_EQ(Load(u"French.kmap").second, true);
    EXPECT_EQ(ListKeyMaps(Program()), std::vector<std::u16string>{kDefaultKeyMapName});
}

TEST_F(KeyMapFileTest, WritesKeepEveryCodeUnitAndReplaceTheOldFileWhole)
{
    KeyMap written = Scribbled();
    written.m_chCells[4][39] = 0xD800;
    written.m_chCells[1][1] = 0x0000;
    PutFile("Fran\xC3\xA7" "ais.kmap", 5000, 'G');
    ASSERT_TRUE(WriteKeyMapIn(written, Folder(), u"Fran\u00E7ais.kmap").m_bOk);
    const std::string bytes = FileBytes("Fran\xC3\xA7" "ais.kmap");
    // Exactly 400 bytes, no scratch file left; cell 14 of plane 2 (U+2124) little-endian at 160 + 28.
    EXPECT_TRUE(bytes.size() == 400u && bytes[188] == 0x24 && bytes[189] == 0x21);
    EXPECT_EQ(FilesInFolder(), 1u);
    KeyMap read;
    EXPECT_TRUE(ReadKeyMapIn(read, Folder(), u"Fran\u00E7ais.kmap").m_bOk);
    EXPECT_EQ(read, written);
}

// Root may write into any folder, so a plain file stands where the folder
// should be; a write that breaks off half way (at the file size limit, which
// binds root too) must leave the map that stood under the name.
TEST_F(KeyMapFileTest, WritesThatFailChangeNothing)
{
    EXPECT_EQ(WriteKeyMapIn(DefaultKeyMap(), Program() + u"/Missing", u"A.kmap"),
              (KeyMapFileResult{false, u"The key map file -'" + Program() + u"/Missing/A.kmap" + kUncreated}));
    EXPECT_FALSE(fs::exists(m_program / "Missing"));
    PutFile("Busy.kmap", 400, 'H');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const KeyMapFileResult result = WriteKeyMapIn(Scribbled(), Folder(), u"Busy.kmap");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(result, (KeyMapFileResult{false, Message(u"Busy.kmap", kUncreated)}));
    EXPECT_EQ(FileBytes("Busy.kmap"), std::string(400, 'H'));
    EXPECT_EQ(FilesInFolder(), 1u);
    fs::remove_all(m_program / "KeyMaps");
    std::ofstream(m_program / "KeyMaps") << "not a folder";
    EXPECT_EQ(WriteKeyMapIn(DefaultKeyMap(), Folder(), u"A.kmap"), (KeyMapFileResult{false, Message(u"A.kmap", kUncreated)}));
    EXPECT_EQ(fs::file_size(m_program / "KeyMaps"), 12u);
}

TEST_F(KeyMapFileTest, ListingPutsTheDefaultFirstThenEveryKmapFile)
{
    for (const char *name : {"a.kmap", "B.KMAP", "c.Kmap", "d.kmap.bak", "e.txt", "kmap", "f.kmapx", ".kmap", "bad\xFF.kmap"})
        PutFile(name, 400);
    fs::create_directory(m_program / "KeyMaps/folder.kmap");
    std::vector<std::u16string> names = ListKeyMaps(Program());
    ASSERT_FALSE(names.empty());
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{kDefaultKeyMapName, u".kmap", u"B.KMAP", u"a.kmap", u"c.Kmap"}));
}

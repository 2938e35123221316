#include "keymaps/KeyMapFile.h"
#include "tools/ToolRun.h"

#include <QDir>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <fstream>

namespace {
const std::u16string kMissing = u"does not exist.  Using default key map.";
const std::u16string kInvalid = u"is not a valid key map file. Using default key map.";
const std::u16string kUnopened = u"could not be opened.  Using default key map.";
const std::u16string kUncreated = u"could not be created.";

KeyMap Filled(char16_t value)
{
    KeyMap map;
    std::fill(&map.m_chCells[0][0], &map.m_chCells[0][0] + kKeyMapPlanes * kKeyMapCells, value);
    return map;
}

// Each test gets a program folder of its own with an empty KeyMaps folder.
class KeyMapFileTest : public ToolTest
{
protected:
    KeyMapFileTest() { QDir(m_environment.ProgramFolder()).mkdir("KeyMaps"); }

    std::u16string Program() const { return m_environment.ProgramFolder().toStdU16String(); }
    std::u16string Folder() const { return KeyMapsFolder(Program()); }
    // The whole message about a file of the folder, or none.
    std::u16string Message(const std::u16string &name, const std::u16string &end) const
    {
        return end.empty() ? end : u"The key map file -'" + Folder() + u"/" + name + u"' " + end;
    }
    // The message of loading the name over a scribbled map, and the map it leaves.
    std::pair<std::u16string, KeyMap> Load(const std::u16string &name) const
    {
        KeyMap map = Filled(0x5555);
        const KeyMapFileResult result = LoadKeyMap(map, Program(), name);
        EXPECT_EQ(result.m_bOk, result.m_strMessage.empty());
        return {result.m_strMessage, map};
    }
    std::u16string Write(const KeyMap &map, const std::u16string &name, const std::u16string &folder = {}) const
    {
        const KeyMapFileResult result = WriteKeyMapIn(map, folder.empty() ? Folder() : folder, name);
        EXPECT_EQ(result.m_bOk, result.m_strMessage.empty());
        return result.m_strMessage;
    }
};
}

// Names come from the settings file or the editor's name field: none may
// reach a file outside the KeyMaps folder. The reserved name is exact and
// never read from disk.
TEST_F(KeyMapFileTest, LoadGivesTheFilesFirst400BytesOrTheDefaultMapAndItsMessage)
{
    PutFile("KeyMaps/Map.kmap", QByteArray(401, 'A'));
    PutFile("KeyMaps/Short.kmap", QByteArray(399, 'B'));
    PutFile("KeyMaps/Default Key Map", QByteArray(400, 'D'));
    PutFile("KeyMaps/default key map", QByteArray(400, 'D'));
    PutFile("KeyMaps/Inside.kmap", QByteArray(400, 'E'));
    PutFile("Outside.kmap", QByteArray(400, 'F'));
    QDir().mkpath(Path("KeyMaps/Folder.kmap"));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("KeyMaps/Pipe.kmap")).constData(), 0600), 0);
    const std::tuple<std::u16string, std::u16string, KeyMap> cases[] = {
        {u"Map.kmap", u"", Filled(0x4141)},           {kDefaultKeyMapName, u"", DefaultKeyMap()},
        {u"default key map", u"", Filled(0x4444)},    {u"Short.kmap", kInvalid, DefaultKeyMap()},
        {u"Folder.kmap", kUnopened, DefaultKeyMap()}, {u"Pipe.kmap", kUnopened, DefaultKeyMap()},
        {u"French.kmap", kMissing, DefaultKeyMap()},
    };
    for (const auto &[name, message, map] : cases)
        EXPECT_EQ(Load(name), std::pair(Message(name, message), map)) << QString::fromStdU16String(name).toStdString();
    const std::u16string outside[] = {u"../Outside.kmap", u"../KeyMaps/Inside.kmap", u"sub/../Inside.kmap",
                                      u"..\\Outside.kmap", Program() + u"/Outside.kmap", u"..", u"",
                                      std::u16string(u"Inside.kmap\0", 12)};
    for (const std::u16string &name : outside) {
        EXPECT_EQ(Load(name), std::pair(Message(name, kMissing), DefaultKeyMap()));
        EXPECT_EQ(Write(Filled(u'x'), name), Message(name, kUncreated));
    }
    EXPECT_EQ(Bytes("Outside.kmap") + Bytes("KeyMaps/Inside.kmap"), QByteArray(400, 'F') + QByteArray(400, 'E'));
    // Dots within one file name are no way out; text that is no path is a missing file.
    for (const std::u16string name : {u"my..kmap", u"...", u".kmap", u"Default Key Map"})
        EXPECT_TRUE(IsSafeKeyMapName(name));
    KeyMap map;
    const std::u16string broken(1, char16_t(0xDC00));
    EXPECT_FALSE(ReadKeyMapFile(map, broken + u".kmap").m_bOk || WriteKeyMapFile(map, u"/tmp/" + broken + u".kmap").m_bOk);
    QDir(Path("KeyMaps")).removeRecursively();
    EXPECT_EQ(Load(u"French.kmap").second, DefaultKeyMap());
    EXPECT_EQ(ListKeyMaps(Program()), std::vector<std::u16string>{kDefaultKeyMapName});
}

// Root may write into any folder, so a plain file stands where the folder
// should be; a write that breaks off half way (at the file size limit, which
// binds root too) must leave the map that stood under the name.
TEST_F(KeyMapFileTest, WritesReplaceTheOldFileWholeOrChangeNothing)
{
    KeyMap written = Filled(u'\u2124');
    written.m_chCells[1][1] = 0x0000;
    PutFile("KeyMaps/Fran\u00E7ais.kmap", QByteArray(5000, 'G'));
    ASSERT_EQ(Write(written, u"Fran\u00E7ais.kmap"), u"");
    const QByteArray bytes = Bytes("KeyMaps/Fran\u00E7ais.kmap");
    // Exactly 400 bytes, little-endian; no scratch file left.
    EXPECT_TRUE(bytes.size() == 400 && bytes.startsWith("\x24\x21") && bytes.mid(82, 2) == QByteArray(2, '\0'));
    EXPECT_EQ(QDir(Path("KeyMaps")).entryList(QDir::Files | QDir::Hidden), QStringList{"Fran\u00E7ais.kmap"});
    KeyMap read;
    EXPECT_TRUE(ReadKeyMapIn(read, Folder(), u"Fran\u00E7ais.kmap").m_bOk);
    EXPECT_EQ(read, written);

    EXPECT_EQ(Write(written, u"A.kmap", Program() + u"/Missing"),
              u"The key map file -'" + Program() + u"/Missing/A.kmap' " + kUncreated);
    EXPECT_FALSE(QFile::exists(Path("Missing")));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{100, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::u16string cut = Write(Filled(u'x'), u"Fran\u00E7ais.kmap");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(cut, Message(u"Fran\u00E7ais.kmap", kUncreated));
    EXPECT_EQ(Bytes("KeyMaps/Fran\u00E7ais.kmap"), bytes);
    EXPECT_EQ(QDir(Path("KeyMaps")).entryList(QDir::Files | QDir::Hidden), QStringList{"Fran\u00E7ais.kmap"});
    QDir(Path("KeyMaps")).removeRecursively();
    PutFile("KeyMaps", "not a folder");
    EXPECT_EQ(Write(written, u"A.kmap"), Message(u"A.kmap", kUncreated));
    EXPECT_EQ(Bytes("KeyMaps"), "not a folder");
}

TEST_F(KeyMapFileTest, ListingPutsTheDefaultFirstThenEveryKmapFile)
{
    for (const char *name : {"a.kmap", "B.KMAP", "c.Kmap", "d.kmap.bak", "e.txt", "kmap", "f.kmapx", ".kmap"})
        PutFile(QStringLiteral("KeyMaps/") + name, QByteArray(400, 'A'));
    const std::string bad = (QFile::encodeName(Path("KeyMaps/")) + "bad\xFF.kmap").toStdString();
    std::ofstream(bad) << "a name that is no UTF-8";
    QDir().mkpath(Path("KeyMaps/folder.kmap"));
    std::vector<std::u16string> names = ListKeyMaps(Program());
    ASSERT_FALSE(names.empty());
    std::remove(bad.c_str()); // Qt cannot name it to take the folder away
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{kDefaultKeyMapName, u".kmap", u"B.KMAP", u"a.kmap", u"c.Kmap"}));
}

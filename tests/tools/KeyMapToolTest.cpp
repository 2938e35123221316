#include "KeyMapCheck.h"
#include "support/TestEnvironment.h"
#include "tools/ToolRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
QByteArray BytesOf(const KeyMap &map)
{
    return QByteArray(reinterpret_cast<const char *>(map.Bytes()), qsizetype(kKeyMapBytes));
}

// Lower case, capitals on the same keys, distinct punctuation; no warnings.
KeyMap CleanMap()
{
    KeyMap map = DefaultKeyMap();
    map.m_chCells[kPlaneUmlaut][31] = u'\u00FF';
    map.m_chCells[kPlaneUmlautShift][31] = u'\u0178';
    map.m_chCells[kPlaneUmlautShift][25] = u'\u0152';
    return map;
}

class KeyMapTool : public testing::Test
{
protected:
    QString Path(const QString &name) const { return m_environment.ProgramFolder() + "/" + name; }
    TestEnvironment m_environment;
};
}

TEST_F(KeyMapTool, ImportOfAnExportGivesTheSameBytes)
{
    KeyMap map = CleanMap();
    map.m_chCells[kPlaneNormal][0] = u'\xD800';
    map.m_chCells[kPlanePunct][5] = u'\x0007';
    map.m_chCells[kPlaneShift][1] = u'\xFFFF';
    PutFile(Path("Map.kmap"), BytesOf(map));
    ASSERT_EQ(RunTool(kKeyMapTool, {"export", Path("Map.kmap"), Path("Map.txt")}).m_nStatus, 0);
    EXPECT_TRUE(FileBytes(Path("Map.txt")).contains("umlaut-shift 31  U+0178  \xC5\xB8\n"));
    ASSERT_EQ(RunTool(kKeyMapTool, {"import", Path("Map.txt"), Path("Back")}).m_nStatus, 0);
    EXPECT_EQ(FileBytes(Path("Back.kmap")), BytesOf(map));
    // "-" is standard output and standard input.
    EXPECT_EQ(RunTool(kKeyMapTool, {"export", Path("Map.kmap"), "-"}).m_strOut.toUtf8(), FileBytes(Path("Map.txt")));
    ASSERT_EQ(RunTool(kKeyMapTool, {"import", "-", Path("Piped.KMAP")}, FileBytes(Path("Map.txt"))).m_nStatus, 0);
    EXPECT_EQ(FileBytes(Path("Piped.KMAP")), BytesOf(map));
}

TEST_F(KeyMapTool, CheckWarnsOfControlsDuplicatesAndMissingCapitals)
{
    EXPECT_EQ(CheckKeyMap(DefaultKeyMap()).join('\n').toStdString(),
              QStringList({"umlaut-shift: '\u00C6' (U+00C6) is on cells 6 and 25",
                           "umlaut-shift lacks '\u0152' (U+0152), the upper case of '\u0153' (U+0153) (umlaut cell 25)",
                           "umlaut-shift lacks '\u039C' (U+039C), the upper case of '\u00B5' (U+00B5) (umlaut cell 31)"}).join('\n').toStdString());
    KeyMap map = CleanMap();
    EXPECT_TRUE(CheckKeyMap(map).isEmpty());
    map.m_chCells[kPlanePunct][3] = u'\x001B';
    std::swap(map.m_chCells[kPlaneShift][10], map.m_chCells[kPlaneShift][11]);
    map.m_chCells[kPlaneUmlautShift][0] = u'x';
    EXPECT_EQ(CheckKeyMap(map).join('\n').toStdString(),
              QStringList({"punctuation cell 3: control character U+001B",
                           "shift has 'A' (U+0041), the upper case of 'a' (U+0061) (normal cell 10), on cell 11 instead",
                           "shift has 'B' (U+0042), the upper case of 'b' (U+0062) (normal cell 11), on cell 10 instead",
                           "umlaut-shift lacks '\u00C0' (U+00C0), the upper case of '\u00E0' (U+00E0) (umlaut cell 0)"}).join('\n').toStdString());

    PutFile(Path("Clean.kmap"), BytesOf(CleanMap()));
    PutFile(Path("Long.kmap"), BytesOf(CleanMap()) + "x");
    PutFile(Path("Odd.kmap"), BytesOf(map));
    const ToolRun clean = RunTool(kKeyMapTool, {"check", Path("Clean.kmap")});
    EXPECT_EQ(clean.m_nStatus, 0);
    EXPECT_EQ(clean.m_strOut, Path("Clean.kmap") + ": no warnings\n");
    const ToolRun run = RunTool(kKeyMapTool, {"check", Path("Clean.kmap"), Path("Long.kmap"), Path("Odd.kmap")});
    EXPECT_EQ(run.m_nStatus, 1);
    EXPECT_EQ(run.m_strOut.count('\n'), 6);
    EXPECT_TRUE(run.m_strOut.contains(Path("Long.kmap") + ": warning: the 1 bytes after the first 400 are ignored"));
    EXPECT_TRUE(run.m_strOut.contains(Path("Odd.kmap") + ": warning: punctuation cell 3: control character U+001B"));
}

TEST_F(KeyMapTool, BadInputIsNamedAndNothingIsWritten)
{
    PutFile(Path("Short.kmap"), QByteArray(399, 'a'));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("Pipe.kmap")).constData(), 0600), 0);
    PutFile(Path("Keep.kmap"), "earlier map");
    PutFile(Path("Map.kmap"), BytesOf(CleanMap()));
    RunTool(kKeyMapTool, {"export", Path("Map.kmap"), Path("Map.txt")});
    PutFile(Path("Cut.txt"), FileBytes(Path("Map.txt")).replace("shift         6  U+0026  &\n", ""));
    PutFile(Path("Bad.txt"), FileBytes(Path("Map.txt")).replace("U+0026  &", "U+00G6"));
    const std::pair<QStringList, QString> cases[] = {
        {{"export", Path("Short.kmap"), Path("Out.txt")}, Path("Short.kmap") + ": 399 bytes; a key map file holds 400"},
        {{"check", Path("Gone.kmap")}, Path("Gone.kmap") + ": no such file"},
        {{"check", Path("Pipe.kmap")}, Path("Pipe.kmap") + ": not a regular file"},
        {{"import", Path("Cut.txt"), Path("Keep.kmap")}, Path("Cut.txt") + ": shift cell 6 is missing"},
        {{"import", Path("Bad.txt"), Path("Keep.kmap")}, Path("Bad.txt") + ": line 55: code point 'U+00G6' is not"},
        {{"import", Path("Gone.txt"), Path("Keep.kmap")}, Path("Gone.txt") + ": no such file"},
    };
    for (const auto &[arguments, error] : cases) {
        const ToolRun run = RunTool(kKeyMapTool, arguments);
        EXPECT_EQ(run.m_nStatus, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.m_strErr.contains(error)) << run.m_strErr.toStdString();
    }
    EXPECT_EQ(FileBytes(Path("Keep.kmap")), "earlier map");
    EXPECT_FALSE(QFile::exists(Path("Out.txt")));
    const std::pair<QStringList, QString> wrong[] = {
        {{"import", Path("Map.txt")}, "import needs a text file and a key map file, got 1 arguments"},
        {{"export"}, "export needs a key map file and at most one text file, got 0 arguments"},
        {{"check"}, "check needs at least one key map file"},
        {{"show"}, "unknown command 'show'"},
    };
    for (const auto &[arguments, problem] : wrong) {
        const ToolRun run = RunTool(kKeyMapTool, arguments);
        EXPECT_EQ(run.m_nStatus, 2);
        EXPECT_TRUE(run.m_strErr.startsWith("quorlex-keymap: " + problem + "\nusage: ")) << run.m_strErr.toStdString();
    }
}

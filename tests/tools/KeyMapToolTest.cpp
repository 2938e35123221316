#include "KeyMapCheck.h"
#include "keymaps/KeyMapText.h"
#include "tools/ToolRun.h"

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

using KeyMapTool = ToolTest;
}

// Characters that cannot be read are written as their code alone.
TEST_F(KeyMapTool, ImportOfAnExportGivesTheSameBytes)
{
    KeyMap map = CleanMap();
    map.m_chCells[kPlaneNormal][0] = u'\xD800';
    map.m_chCells[kPlanePunct][5] = u'\x0007';
    PutFile("Map.kmap", BytesOf(map));
    ASSERT_EQ(RunTool(kKeyMapTool, {"export", Path("Map.kmap"), Path("Map.txt")}).m_nStatus, 0);
    const QByteArray text = Bytes("Map.txt");
    EXPECT_TRUE(text.contains("\numlaut-shift 31  U+0178  \xC5\xB8\n") && text.contains("\nnormal        0  U+D800\n"));
    ASSERT_EQ(RunTool(kKeyMapTool, {"import", Path("Map.txt"), Path("Back")}).m_nStatus, 0);
    EXPECT_EQ(Bytes("Back.kmap"), BytesOf(map));
    // "-" is standard output and standard input.
    EXPECT_EQ(RunTool(kKeyMapTool, {"export", Path("Map.kmap"), "-"}).m_strOut.toUtf8(), Bytes("Map.txt"));
    ASSERT_EQ(RunTool(kKeyMapTool, {"import", "-", Path("Piped.KMAP")}, Bytes("Map.txt")).m_nStatus, 0);
    EXPECT_EQ(Bytes("Piped.KMAP"), BytesOf(map));
}

TEST_F(KeyMapTool, CheckWarnsOfControlsDuplicatesAndMissingCapitals)
{
    EXPECT_EQ(CheckKeyMap(DefaultKeyMap()),
              QStringList({"umlaut-shift: '\u00C6' (U+00C6) is on cells 6 and 25",
                           "umlaut-shift lacks '\u0152' (U+0152), the upper case of '\u0153' (U+0153) (umlaut cell 25)",
                           "umlaut-shift lacks '\u039C' (U+039C), the upper case of '\u00B5' (U+00B5) (umlaut cell 31)"}));
    KeyMap map = CleanMap();
    EXPECT_TRUE(CheckKeyMap(map).isEmpty());
    map.m_chCells[kPlanePunct][3] = u'\x001B';
    std::swap(map.m_chCells[kPlaneShift][10], map.m_chCells[kPlaneShift][11]);
    map.m_chCells[kPlaneUmlautShift][0] = u'x';
    EXPECT_EQ(CheckKeyMap(map),
              QStringList({"punctuation cell 3: control character U+001B",
                           "shift has 'A' (U+0041), the upper case of 'a' (U+0061) (normal cell 10), on cell 11 instead",
                           "shift has 'B' (U+0042), the upper case of 'b' (U+0062) (normal cell 11), on cell 10 instead",
                           "umlaut-shift lacks '\u00C0' (U+00C0), the upper case of '\u00E0' (U+00E0) (umlaut cell 0)"}));
    PutFile("Clean.kmap", BytesOf(CleanMap()));
    PutFile("Long.kmap", BytesOf(CleanMap()) + "x");
    PutFile("Odd.kmap", BytesOf(map));
    const ToolRun clean = RunTool(kKeyMapTool, {"check", Path("Clean.kmap")});
    EXPECT_EQ(std::pair(clean.m_nStatus, clean.m_strOut), std::pair(0, Path("Clean.kmap") + ": no warnings\n"));
    const ToolRun run = RunTool(kKeyMapTool, {"check", Path("Clean.kmap"), Path("Long.kmap"), Path("Odd.kmap")});
    EXPECT_EQ(run.m_nStatus, 1);
    EXPECT_EQ(run.m_strOut.count('\n'), 6);
    EXPECT_TRUE(run.m_strOut.contains(Path("Long.kmap") + ": warning: the 1 bytes after the first 400 are ignored"));
    EXPECT_TRUE(run.m_strOut.contains(Path("Odd.kmap") + ": warning: punctuation cell 3: control character U+001B"));
}

// What is wrong with the arguments comes before the usage.
TEST_F(KeyMapTool, BadInputAndWrongArgumentsAreNamedAndNothingIsWritten)
{
    PutFile("Short.kmap", QByteArray(399, 'a'));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("Pipe.kmap")).constData(), 0600), 0);
    PutFile("Keep.kmap", "earlier map");
    PutFile("Bad.txt", QByteArray::fromStdString(KeyMapToText(DefaultKeyMap())).replace("U+0026  &", "U+00G6"));
    const QString usage = "\nusage: quorlex-keymap export";
    ExpectRuns(kKeyMapTool, {
        {{"export", Path("Short.kmap"), Path("Out.txt")}, 1,
         {Path("Short.kmap") + ": 399 bytes; a key map file holds 400"}},
        {{"check", Path("Gone.kmap")}, 1, {Path("Gone.kmap") + ": no such file"}},
        {{"check", Path("Pipe.kmap")}, 1, {Path("Pipe.kmap") + ": not a regular file"}},
        {{"import", Path("Bad.txt"), Path("Keep.kmap")}, 1, {Path("Bad.txt") + ": line 55: code point 'U+00G6' is not"}},
        {{"import", Path("Gone.txt"), Path("Keep.kmap")}, 1, {Path("Gone.txt") + ": no such file"}},
        {{"import", Path("Bad.txt")}, 2,
         {"quorlex-keymap: import needs a text file and a key map file, got 1 arguments" + usage}},
        {{"export"}, 2, {"export needs a key map file and at most one text file, got 0 arguments" + usage}},
        {{"check"}, 2, {"check needs at least one key map file" + usage}},
        {{"show"}, 2, {"unknown command 'show'" + usage}},
    });
    EXPECT_EQ(Bytes("Keep.kmap"), "earlier map");
    EXPECT_FALSE(QFile::exists(Path("Out.txt")));
}

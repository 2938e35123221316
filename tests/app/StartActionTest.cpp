#include "ProgramTestSupport.h"

#include "app/CommandBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"
#include "keyboard/KeyboardWnd.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <string>

namespace {
std::function<void(Settings &)> StartAction(int nAction)
{
    return [nAction](Settings &s) { s.m_nOnStartAction = nAction; };
}

std::function<void(TestEnvironment &)> LastUsedFile(const QByteArray &bytes)
{
    return [bytes](TestEnvironment &e) { e.WriteProgramFile(QStringLiteral("LastUsed.txt"), bytes); };
}
}

// Short, odd, unmarked and broken files read as the format says; a missing
// file, a folder or a pipe in its place gives an empty notepad without a
// message (and without hanging on the pipe).
TEST(StartAction, ActionOneShowsWhatTheLastUsedFileHolds)
{
    const struct {
        const char *what;
        std::function<void(TestEnvironment &)> prepare;
        std::u16string expected;
    } cases[] = {
        {"no file", {}, u""},
        {"empty file", LastUsedFile({}), u""},
        {"one byte", LastUsedFile(Bytes({0xFF})), u""},
        {"only the mark", LastUsedFile(Bytes({0xFF, 0xFE})), u""},
        {"seven bytes", LastUsedFile(Bytes({0xFF, 0xFE, 0x61, 0x00, 0x22, 0x21, 0x7A})), u"a\u2122"},
        {"lines and a tab", LastUsedFile(Bytes({0xFF, 0xFE, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x09, 0x00})),
         u"a\r\n\t"},
        {"no mark", LastUsedFile(Bytes({0x41, 0x00, 0x42, 0x00})), u"AB"},
        {"broken surrogates and NUL",
         LastUsedFile(Bytes({0xFF, 0xFE, 0x00, 0xD8, 0x00, 0x00, 0x78, 0x00, 0x00, 0xDC})),
         std::u16string(u"\xD800\0x\xDC00", 4)},
        {"no-break space", LastUsedFile(Bytes({0xFF, 0xFE, 0xA0, 0x00})), u"\u00A0"},
        // Text, not byte-order marks, once the file's own mark is behind.
        {"U+FEFF first", LastUsedFile(Bytes({0xFF, 0xFE, 0xFF, 0xFE, 0x61, 0x00})), u"\uFEFFa"},
        {"U+FFFE first", LastUsedFile(Bytes({0xFF, 0xFE, 0xFE, 0xFF, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x62, 0x00})),
         u"\uFFFEa\r\nb"},
        {"folder", [](TestEnvironment &e) { QDir(e.ProgramFolder()).mkdir(QStringLiteral("LastUsed.txt")); }, u""},
        {"pipe",
         [](TestEnvironment &e) {
             mkfifo(QFile::encodeName(e.ProgramFolder() + QStringLiteral("/LastUsed.txt")).constData(), 0600);
         },
         u""},
    };
    for (const auto &c : cases) {
        const ProgramRun run(StartAction(1), c.prepare);
        EXPECT_EQ(run.View()->ViewText(), c.expected) << c.what;
        EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty()) << c.what;
    }
}

// A file too large to read goes aside before a save can write over it, never
// over a file kept so before, and the user hears of it once.
TEST(StartAction, UnreadableLastUsedFileIsKeptAsideBeforeTheNextSave)
{
    const ProgramRun run(StartAction(1), [](TestEnvironment &e) {
        e.WriteProgramFile(QStringLiteral("LastUsed-kept.txt"), "earlier");
        QFile(e.WriteProgramFile(QStringLiteral("LastUsed.txt"), {})).resize(CQuorlexDoc::kMaxFileBytes + 1);
    });
    EXPECT_EQ(run.View()->ViewText(), u"");
    EXPECT_EQ(run.m_environment.m_prompt.m_texts,
              QStringList{"LastUsed.txt could not be read. It has been kept as LastUsed-kept-2.txt."});
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed-kept.txt")), "earlier");
    EXPECT_EQ(QFileInfo(run.FilePath("LastUsed-kept-2.txt")).size(), CQuorlexDoc::kMaxFileBytes + 1);
    run.View()->SetViewText(u"a");
    run.Command(ID_FILE_EXIT);
    RunPostedMessages();
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), Bytes({0xFF, 0xFE, 0x61, 0x00}));
    EXPECT_EQ(run.m_environment.m_prompt.m_texts.size(), 1);
}

TEST(StartAction, ActionZeroAndUnknownValuesStartEmpty)
{
    for (const int nAction : {0, 3, 7, -1}) {
        const ProgramRun run(StartAction(nAction), [](TestEnvironment &e) {
            e.WriteProgramFile(QStringLiteral("LastUsed.txt"), Bytes({0xFF, 0xFE, 0x61, 0x00}));
            e.m_clipboard.SetText(u"clip");
        });
        EXPECT_EQ(run.View()->ViewText(), u"") << nAction;
        EXPECT_EQ(run.m_environment.m_clipboard.m_nOpens, 0) << nAction;
    }
}

TEST(StartAction, ActionTwoTakesUnicodeTextFromTheClipboard)
{
    const ProgramRun withText(StartAction(2), [](TestEnvironment &e) { e.m_clipboard.SetText(u"x\r\ny"); });
    EXPECT_EQ(withText.View()->ViewText(), u"x\r\ny");
    EXPECT_EQ(withText.m_environment.m_clipboard.m_nCloses, 1);

    const ProgramRun empty(StartAction(2));
    EXPECT_EQ(empty.View()->ViewText(), u"");
    EXPECT_EQ(empty.m_environment.m_clipboard.m_nCloses, 1);

    const ProgramRun refused(StartAction(2), [](TestEnvironment &e) {
        e.m_clipboard.SetText(u"refused");
        e.m_clipboard.m_bRefuseOpen = true;
    });
    EXPECT_EQ(refused.View()->ViewText(), u"");
    EXPECT_EQ(refused.m_environment.m_clipboard.m_nCloses, 0);
    EXPECT_TRUE(refused.m_environment.m_prompt.m_texts.isEmpty());
}

TEST(StartAction, FiftyMegabyteFileIsReadWhole)
{
    const QString line = QString(62, QLatin1Char('q')) + QStringLiteral("\r\n");
    const QByteArray unit(reinterpret_cast<const char *>(line.utf16()), line.size() * 2);
    QByteArray bytes = Bytes({0xFF, 0xFE});
    while (bytes.size() < 50 * 1024 * 1024)
        bytes += unit;
    const ProgramRun run(StartAction(1), LastUsedFile(bytes));
    const std::u16string text = run.View()->ViewText();
    EXPECT_EQ(text.size(), static_cast<std::size_t>(bytes.size() - 2) / 2);
    EXPECT_EQ(text.substr(text.size() - 4), u"qq\r\n");
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
}

TEST(StartAction, OpenKbOnStartPutsTheBoardUpWithTheTextInThePad)
{
    const ProgramRun run(
        [](Settings &s) {
            s.m_bOpenKBOnStart = 1;
            s.m_nOnStartAction = 1;
        },
        LastUsedFile(Bytes({0xFF, 0xFE, 'h', 0, 'i', 0})));
    EXPECT_TRUE(run.View()->IsKeyboardUp());
    EXPECT_TRUE(run.Frame()->CommandBar()->isHidden());
    const CKeyboardWnd &board = run.View()->KeyboardWindow();
    EXPECT_TRUE(board.isVisible());
    EXPECT_EQ(board.Pad().GetAllText(), u"hi");
    EXPECT_EQ(board.Pad().m_text.m_nCaret, 2);
    // The pad knew its length before the text came: the line is shown, not
    // scrolled away behind the caret.
    EXPECT_EQ(board.Pad().m_text.m_strVisible, u"hi");
    // The covered notepad holds the text without laying it out, and shows it
    // once the board goes down.
    EXPECT_EQ(run.View()->ViewText(), u"hi");
    EXPECT_TRUE(run.View()->document()->isEmpty());
    PostWindowMessage(&run.View()->KeyboardWindow(), WM_KBD_NOTEPAD);
    RunPostedMessages();
    EXPECT_EQ(run.View()->toPlainText(), QStringLiteral("hi"));
}

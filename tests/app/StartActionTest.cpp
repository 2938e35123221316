#include "ProgramTestSupport.h"

#include "app/CommandBar.h"
#include "app/MainFrame.h"
#include "app/QuorlexView.h"
#include "keyboard/KeyboardWnd.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

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

// How the bytes read is the last-use format's own test; here the file, a
// missing one, a folder or a pipe in its place (an empty notepad without a
// message, and no hang on the pipe); the clipboard's text for action 2, and
// nothing for 0 and unknown values.
TEST(StartAction, EachActionFillsTheNotepadFromItsSource)
{
    const auto mark = [](TestEnvironment &e) { e.WriteProgramFile("LastUsed.txt", Bytes({0xFF, 0xFE, 0x61, 0, 0x22, 0x21})); };
    const auto clip = [](TestEnvironment &e) { e.m_clipboard.SetText(u"x\r\ny"); };
    const struct {
        int action;
        std::function<void(TestEnvironment &)> prepare;
        std::u16string expected;
        int opens;
    } cases[] = {
        {1, mark, u"a\u2122", 0},
        {1, {}, u"", 0},
        {1, [](TestEnvironment &e) { QDir(e.ProgramFolder()).mkdir(QStringLiteral("LastUsed.txt")); }, u"", 0},
        {1, [](TestEnvironment &e) { mkfifo(QFile::encodeName(e.ProgramFolder() + "/LastUsed.txt").constData(), 0600); },
         u"", 0},
        {2, clip, u"x\r\ny", 1},
        {2, {}, u"", 1},
        {2, [](TestEnvironment &e) { e.m_clipboard.SetText(u"refused"), e.m_clipboard.m_bRefuseOpen = true; }, u"", 1},
    };
    for (const auto &c : cases) {
        const ProgramRun run(StartAction(c.action), c.prepare);
        EXPECT_EQ(run.View()->ViewText(), c.expected) << c.action;
        EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty()) << c.action;
        EXPECT_EQ(run.m_environment.m_clipboard.m_nOpens, c.opens) << c.action;
        EXPECT_FALSE(run.m_environment.m_clipboard.m_bOpen);
    }
    for (const int action : {0, 3, 7, -1}) {
        const ProgramRun run(StartAction(action), [&](TestEnvironment &e) { mark(e), clip(e); });
        EXPECT_EQ(run.View()->ViewText(), u"") << action;
        EXPECT_EQ(run.m_environment.m_clipboard.m_nOpens, 0) << action;
    }
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

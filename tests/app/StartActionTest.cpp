#include "ProgramTestSupport.h"

#include "app/CommandBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"
#include "keyboard/KeyboardWnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>

#include <sys/stat.h>

namespace {
std::function<void(Settings &)> StartAction(int nAction)
{
    return [nAction](Settings &s) { s.m_nOnStartAction = nAction; };
}

std::function<void(TestEnvironment &)> Prepare(const QByteArray &file, const std::u16string &clipboard = {})
{
    return [file, clipboard](TestEnvironment &e) {
        e.WriteProgramFile("LastUsed.txt", file);
        if (!clipboard.empty())
            e.m_clipboard.SetText(clipboard);
    };
}
}

// Action 1 shows what LastUsed.txt holds (any bytes are fuzzed through the
// same reader with the last-use seeds); a missing file, a folder or a pipe in its
// place gives an empty notepad without a message (and without hanging on the
// pipe). Action 2 takes Unicode text from the clipboard, and any other value
// starts empty without touching either. Fifty megabytes are read whole.
TEST(StartAction, EachActionStartsWithItsText)
{
    const QByteArray marked = Bytes({0xFF, 0xFE, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x09, 0x00});
    std::u16string big; // fifty megabytes
    while (big.size() < 25 * 1024 * 1024)
        big += std::u16string(62, u'q') + u"\r\n";
    const QByteArray bigFile = Bytes({0xFF, 0xFE}) + QByteArray(reinterpret_cast<const char *>(big.data()), 2 * qsizetype(big.size()));
    const struct {
        int nAction;
        std::function<void(TestEnvironment &)> prepare;
        std::u16string expected;
        int nClipboardOpens;
    } cases[] = {
        {1, {}, u"", 0},
        {1, Prepare(marked), u"a\r\n\t", 0},
        {1, Prepare(bigFile), big, 0},
        // Text, not a byte-order mark, once the file's own mark is behind.
        {1, Prepare(Bytes({0xFF, 0xFE, 0xFF, 0xFE, 0x61, 0x00})), u"\uFEFFa", 0},
        {1, [](TestEnvironment &e) { QDir(e.ProgramFolder()).mkdir("LastUsed.txt"); }, u"", 0},
        {1, [](TestEnvironment &e) { mkfifo(QFile::encodeName(e.ProgramFolder() + "/LastUsed.txt").constData(), 0600); }, u"", 0},
        {2, Prepare(marked, u"x\r\ny"), u"x\r\ny", 1},
        {2, {}, u"", 1},
        {2,
         [](TestEnvironment &e) {
             e.m_clipboard.SetText(u"refused");
             e.m_clipboard.m_bRefuseOpen = true;
         },
         u"", 1},
        {0, Prepare(marked, u"clip"), u"", 0}, {3, Prepare(marked, u"clip"), u"", 0},
        {7, Prepare(marked, u"clip"), u"", 0}, {-1, Prepare(marked, u"clip"), u"", 0},
    };
    for (const auto &c : cases) {
        const int i = static_cast<int>(&c - cases);
        const ProgramRun run(StartAction(c.nAction), c.prepare);
        EXPECT_EQ(run.View()->ViewText(), c.expected) << i;
        EXPECT_EQ(run.m_environment.m_clipboard.m_nOpens, c.nClipboardOpens) << i;
        EXPECT_FALSE(run.m_environment.m_clipboard.m_bOpen) << i;
        EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty()) << i;
    }
}

// A file too large to read goes aside before a save can write over it, never
// over a file kept so before, and the user hears of it once.
TEST(StartAction, UnreadableLastUsedFileIsKeptAsideBeforeTheNextSave)
{
    const ProgramRun run(StartAction(1), [](TestEnvironment &e) {
        e.WriteProgramFile("LastUsed-kept.txt", "earlier");
        QFile(e.WriteProgramFile("LastUsed.txt", {})).resize(CQuorlexDoc::kMaxFileBytes + 1);
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

// The pad knows its length before the text comes: the line is shown, not
// scrolled away behind the caret. The covered notepad holds the text without
// making its edit, takes the arrows for the pad itself, and shows the text
// once the board goes down.
TEST(StartAction, OpenKbOnStartPutsTheBoardUpWithTheTextInThePad)
{
    const auto openKb = [](Settings &s) {
        s.m_bOpenKBOnStart = 1;
        s.m_nOnStartAction = 1;
    };
    const ProgramRun run(openKb, Prepare(Bytes({0xFF, 0xFE, 'h', 0, 'i', 0})));
    EXPECT_TRUE(run.View()->IsKeyboardUp());
    EXPECT_TRUE(run.Frame()->CommandBar()->isHidden());
    const CTypePadWnd &pad = run.View()->KeyboardWindow().Pad();
    EXPECT_TRUE(run.View()->KeyboardWindow().isVisible());
    EXPECT_EQ(pad.GetAllText(), u"hi");
    EXPECT_EQ(pad.m_text.m_nCaret, 2);
    EXPECT_EQ(pad.m_text.m_strVisible, u"hi");
    EXPECT_EQ(run.View()->ViewText(), u"hi");
    EXPECT_EQ(run.View()->findChild<QPlainTextEdit *>(), nullptr);
    ASSERT_TRUE(run.Activate());
    ASSERT_EQ(QApplication::focusWidget(), run.View());
    QTest::keyClick(run.View(), Qt::Key_Down);
    EXPECT_EQ(pad.m_text.m_nCaret, 1);
    PostWindowMessage(&run.View()->KeyboardWindow(), WM_KBD_NOTEPAD);
    RunPostedMessages();
    EXPECT_EQ(run.View()->Edit()->toPlainText(), "hi");
    EXPECT_EQ(QApplication::focusWidget(), run.View()->Edit());
}

// A run that never showed the last text (the start cleared the notepad or
// took the clipboard) and ends empty leaves that text for the next run; any
// text typed, a last text shown and then deleted, or no file yet is written.
TEST(StartAction, LeavingEmptyKeepsALastTextTheRunNeverShowed)
{
    const QByteArray older = Bytes({0xFF, 0xFE, 'o', 0}), empty = Bytes({0xFF, 0xFE});
    const struct {
        int nAction;
        std::function<void(TestEnvironment &)> prepare;
        std::u16string text;
        QByteArray expected;
    } cases[] = {
        {0, Prepare(older), u"", older}, {2, Prepare(older), u"", older},
        {0, Prepare(older), u"a", Bytes({0xFF, 0xFE, 'a', 0})}, {1, Prepare(older), u"", empty},
        {0, {}, u"", empty},
    };
    for (const auto &c : cases) {
        const ProgramRun run(StartAction(c.nAction), c.prepare);
        run.View()->SetViewText(c.text);
        run.Command(ID_FILE_EXIT);
        RunPostedMessages();
        EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), c.expected) << &c - cases;
    }
}

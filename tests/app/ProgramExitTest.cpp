#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexView.h"
#include "keyboard/KeyboardWnd.h"
#include "platform/EndSignals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include <sys/resource.h>

#include <csignal>

namespace {
const QByteArray kTyped = Bytes({0xFF, 0xFE, 'a', 0, 'b', 0, 0x0D, 0, 0x0A, 0, 'c', 0});
const QByteArray kOlder = Bytes({0xFF, 0xFE, 'o', 0, 'l', 0, 'd', 0});

void OlderFile(TestEnvironment &environment)
{
    environment.WriteProgramFile("LastUsed.txt", kOlder);
}

// Types "ab", Enter, "c" into the notepad, or on the board's pad.
void Type(const ProgramRun &run, bool bOnBoard)
{
    if (!bOnBoard) {
        QTest::keyClicks(run.View()->Edit(), "ab");
        QTest::keyClick(run.View()->Edit(), Qt::Key_Return);
        QTest::keyClicks(run.View()->Edit(), "c");
        return;
    }
    run.View()->ShowKeyboard();
    CTypePadWnd &pad = run.View()->KeyboardWindow().Pad();
    pad.InsertText(u"ab");
    pad.NewLine();
    pad.InsertChar(u'c');
}
}

// Exit (the command, or the board's), Ctrl+Q and the desktop's close button
// keep the text typed in the notepad or the pad, and copy it with Copy On
// Exit; the close is posted, never done inside the command. A real signal and
// the end of the desktop session keep the text as Exit does, without
// touching the clipboard.
TEST(ProgramExit, EveryWayOutKeepsTheTextAsItShould)
{
    enum Way { ExitCommand, BoardExit, CloseButton, CtrlQ, SessionEnd, Signal };
    const struct {
        Way way;
        int nSignal;
        bool bOnBoard, bCopy;
        const QByteArray &file;
        std::u16string clipboard;
    } cases[] = {
        {ExitCommand, 0, false, false, kTyped, u""}, {BoardExit, 0, true, true, kTyped, u"ab\r\nc"},
        {CloseButton, 0, false, true, kTyped, u"ab\r\nc"}, {CloseButton, 0, true, true, kTyped, u"ab\r\nc"},
        {CloseButton, 0, true, false, kTyped, u""},
        {CtrlQ, 0, false, true, kTyped, u"ab\r\nc"}, {SessionEnd, 0, true, true, kTyped, u""},
        {Signal, SIGTERM, true, true, kTyped, u""}, {Signal, SIGHUP, true, true, kTyped, u""},
        {Signal, SIGINT, true, true, kTyped, u""},
    };
    for (const auto &c : cases) {
        const int i = static_cast<int>(&c - cases);
        ProgramRun run([&c](Settings &s) { s.m_bCopyOnExit = c.bCopy; }, OlderFile);
        EndSignals endSignals;
        QObject::connect(&endSignals, &EndSignals::EndRequested, &run.m_program, &CQuorlexApp::OnEndSignal);
        ASSERT_TRUE(run.Activate());
        Type(run, c.bOnBoard);
        QCloseEvent close;
        switch (c.way) {
        case ExitCommand:
            run.Command(ID_FILE_EXIT);
            EXPECT_TRUE(run.Frame()->isVisible());
            break;
        case BoardExit:
            PostWindowMessage(&run.View()->KeyboardWindow(), WM_KBD_EXIT);
            break;
        case CloseButton:
            QSpontaneKeyEvent::setSpontaneous(&close);
            qApp->notify(run.Frame(), &close); // sendEvent would make it the program's own
            break;
        case CtrlQ:
            QTest::keyClick(run.View(), Qt::Key_Q, Qt::ControlModifier);
            break;
        case SessionEnd:
            run.m_program.OnCommitData();
            break;
        case Signal:
            std::raise(c.nSignal);
            break;
        }
        RunPostedMessages();
        const QString path = run.FilePath("LastUsed.txt");
        EXPECT_TRUE(QTest::qWaitFor([&] { return ReadBytes(path) == c.file; })) << i;
        EXPECT_TRUE(c.way == CloseButton || c.way >= SessionEnd || !run.Frame()->isVisible()) << i;
        EXPECT_EQ(run.m_environment.m_clipboard.m_text, c.clipboard) << i;
        EXPECT_EQ(run.m_environment.m_clipboard.m_nOpens > 0, !c.clipboard.empty()) << i;
        EXPECT_FALSE(run.m_environment.m_clipboard.m_bOpen) << i;
        EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty()) << i;
    }
}

// A disk that fills half way: the save fails once, with its message, the
// program still closes, the file of the previous Exit is whole and the text is
// on the clipboard although Copy On Exit is off. (A folder that cannot be
// written is the real-window fault suite's.)
TEST(ProgramExit, FailedSaveIsReportedOnceAndTheProgramStillCloses)
{
    ProgramRun run([](Settings &s) { s.m_bCopyOnExit = 0; s.m_nOnStartAction = 1; }, OlderFile);
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
    run.View()->SetViewText(std::u16string(20000, u'z'));
    // Writes beyond the limit fail as on a full disk instead of ending the test.
    rlimit old{}, limit{};
    getrlimit(RLIMIT_FSIZE, &old);
    limit = {4096, old.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    run.Command(ID_FILE_EXIT);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    RunPostedMessages();
    EXPECT_FALSE(run.Frame()->isVisible());
    ASSERT_EQ(run.m_environment.m_prompt.m_texts.size(), 1);
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.first().startsWith("Failed to save document."));
    EXPECT_EQ(run.m_environment.m_clipboard.m_text.size(), 20000);
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kOlder);
    EXPECT_EQ(QDir(run.m_environment.ProgramFolder()).entryList(QDir::Files), QStringList{"LastUsed.txt"});
}

// The board's images cannot be made at start: after the message the program
// closes, and a close of its own writes nothing over the last text.
TEST(ProgramExit, ABoardWithoutItsImagesClosesTheProgramAndKeepsTheLastText)
{
    for (const unsigned char openBoard : {0, 1}) {
        CKeyboardWnd::RefuseImagesForTest(true);
        ProgramRun run([openBoard](Settings &s) { s.m_bOpenKBOnStart = openBoard; }, OlderFile);
        CKeyboardWnd::RefuseImagesForTest(false);
        RunPostedMessages();
        EXPECT_FALSE(run.Frame()->isVisible());
        EXPECT_EQ(run.m_environment.m_prompt.m_texts,
                  QStringList{"Could not load the skin images. Your Pocket PC might be running low on system "
                              "resources.  Please soft reset your Pocket PC and run the application."});
        EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kOlder);
    }
}

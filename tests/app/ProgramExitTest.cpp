#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"
#include "keyboard/KeyboardWnd.h"
#include "platform/EndSignals.h"
#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include <sys/resource.h>

#include <csignal>

namespace {
const QByteArray kTypedFileBytes =
    Bytes({0xFF, 0xFE, 0x61, 0x00, 0x62, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x63, 0x00});
const QByteArray kOlderFileBytes = Bytes({0xFF, 0xFE, 0x6F, 0x00, 0x6C, 0x00, 0x64, 0x00});

void CopyOnExit(Settings &settings) { settings.m_bCopyOnExit = 1; }
void NoCopyOnExit(Settings &settings) { settings.m_bCopyOnExit = 0; }
void OlderFile(TestEnvironment &environment)
{
    environment.WriteProgramFile(QStringLiteral("LastUsed.txt"), kOlderFileBytes);
}

// Types "ab", Enter, "c" into the notepad.
void Type(const ProgramRun &run)
{
    QTest::keyClicks(run.View(), QStringLiteral("ab"));
    QTest::keyClick(run.View(), Qt::Key_Return);
    QTest::keyClicks(run.View(), QStringLiteral("c"));
}

// Types "ab", Enter, "c" on the board's pad.
void TypeOnBoard(const ProgramRun &run)
{
    run.View()->ShowKeyboard();
    CTypePadWnd &pad = run.View()->KeyboardWindow().Pad();
    pad.InsertChar(u'a');
    pad.InsertChar(u'b');
    pad.NewLine();
    pad.InsertChar(u'c');
}

// Writes beyond the limit fail as on a full disk instead of ending the test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};
}

TEST(ProgramExit, ExitStoresTheTypedTextAndClosesAfterwards)
{
    ProgramRun run(NoCopyOnExit);
    Type(run);
    run.Command(ID_FILE_EXIT);
    // The close is posted, never done inside the command.
    EXPECT_TRUE(run.Frame()->isVisible());
    RunPostedMessages();
    EXPECT_FALSE(run.Frame()->isVisible());
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kTypedFileBytes);
    EXPECT_EQ(run.m_environment.m_clipboard.m_nOpens, 0);
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
}

TEST(ProgramExit, ExitFromTheBoardWithCopyOnExitStoresAndCopiesThePadText)
{
    ProgramRun run(CopyOnExit, OlderFile);
    TypeOnBoard(run);
    PostWindowMessage(&run.View()->KeyboardWindow(), WM_KBD_EXIT);
    RunPostedMessages();
    EXPECT_FALSE(run.Frame()->isVisible());
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kTypedFileBytes);
    EXPECT_EQ(run.m_environment.m_clipboard.m_text, u"ab\r\nc");
    EXPECT_FALSE(run.m_environment.m_clipboard.m_bOpen);
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
}

TEST(ProgramExit, CtrlQClosesAndKeepsTheFileOfThePreviousExit)
{
    ProgramRun run(NoCopyOnExit, OlderFile);
    ASSERT_TRUE(run.Activate());
    Type(run);
    QTest::keyClick(run.View(), Qt::Key_Q, Qt::ControlModifier);
    RunPostedMessages();
    EXPECT_FALSE(run.Frame()->isVisible());
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kOlderFileBytes);
}

// The desktop's close button, whether the text is in the notepad or, with
// the board up, in the pad.
TEST(ProgramExit, ClosingTheWindowKeepsTheTextAsExitDoes)
{
    for (const auto type : {Type, TypeOnBoard}) {
        ProgramRun run(CopyOnExit, OlderFile);
        type(run);
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(run.Frame(), &close); // sendEvent would make it the program's own
        EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kTypedFileBytes);
        EXPECT_EQ(run.m_environment.m_clipboard.m_text, u"ab\r\nc");
    }
}

// The board's images cannot be made: the close that follows the message
// leaves the file of the previous Exit, as does any close of the program's own.
TEST(ProgramExit, CloseAfterAFailedBoardKeepsTheFileOfThePreviousExit)
{
    TestEnvironment environment;
    OlderFile(environment);
    CQuorlexDoc document;
    CMainFrame frame(&document);
    document.SetView(frame.View());
    frame.View()->KeyboardWindow().RefuseImagesForTest(true);
    ASSERT_TRUE(document.OnNewDocument());
    frame.View()->OnInitialUpdate();
    frame.ShowOnScreen();
    EXPECT_EQ(environment.m_prompt.m_texts.size(), 1);
    RunPostedMessages();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(ReadBytes(QDir(environment.ProgramFolder()).filePath("LastUsed.txt")), kOlderFileBytes);
}

// A real signal, and the end of the desktop session, keep the text on screen
// (the pad's, with the board up) as Exit does, without touching the clipboard.
TEST(ProgramExit, EndSignalsAndSessionEndKeepTheTextOnScreen)
{
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT, 0}) {
        ProgramRun run(CopyOnExit, OlderFile);
        EndSignals endSignals;
        QObject::connect(&endSignals, &EndSignals::EndRequested, &run.m_program, &CQuorlexApp::OnEndSignal);
        TypeOnBoard(run);
        if (signalNumber == 0)
            run.m_program.OnCommitData();
        else
            std::raise(signalNumber);
        const QString path = run.FilePath("LastUsed.txt");
        EXPECT_TRUE(QTest::qWaitFor([&] { return ReadBytes(path) == kTypedFileBytes; })) << signalNumber;
        EXPECT_EQ(run.m_environment.m_clipboard.m_nOpens, 0);
    }
}

// A folder in the file's place, or a program folder under a plain file: the
// save fails once, with its message, and nothing else is lost.
TEST(ProgramExit, FailedSaveIsReportedOnceAndTheProgramStillCloses)
{
    const std::function<void(TestEnvironment &)> unwritable[] = {
        [](TestEnvironment &e) { QDir(e.ProgramFolder()).mkpath(QStringLiteral("LastUsed.txt/inside")); },
        [](TestEnvironment &e) { SetProgramFolder(e.WriteProgramFile(QStringLiteral("plain"), "x") + "/folder"); },
    };
    for (const auto &prepare : unwritable) {
        ProgramRun run([](Settings &s) { s.m_bCopyOnExit = 1; s.m_nOnStartAction = 1; }, prepare);
        EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
        Type(run);
        run.Command(ID_FILE_EXIT);
        RunPostedMessages();
        EXPECT_FALSE(run.Frame()->isVisible());
        ASSERT_EQ(run.m_environment.m_prompt.m_texts.size(), 1);
        EXPECT_TRUE(run.m_environment.m_prompt.m_texts.first().startsWith(QStringLiteral("Failed to save document.")));
        EXPECT_EQ(run.m_environment.m_clipboard.m_text, u"ab\r\nc");
    }
}

TEST(ProgramExit, SaveThatFailsHalfWayLeavesThePreviousFileWhole)
{
    ProgramRun run(NoCopyOnExit, OlderFile);
    run.View()->SetViewText(std::u16string(20000, u'z'));
    {
        const FileSizeLimit limit(4096);
        run.Command(ID_FILE_EXIT);
    }
    RunPostedMessages();
    EXPECT_FALSE(run.Frame()->isVisible());
    EXPECT_EQ(run.m_environment.m_prompt.m_texts.size(), 1);
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kOlderFileBytes);
    EXPECT_EQ(QDir(run.m_environment.ProgramFolder()).entryList(QDir::Files), QStringList{"LastUsed.txt"});
}

#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexView.h"
#include "keyboard/KeyboardWnd.h"
#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

namespace {
const QByteArray kTypedFileBytes =
    Bytes({0xFF, 0xFE, 0x61, 0x00, 0x62, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x63, 0x00});
const QByteArray kOlderFileBytes = Bytes({0xFF, 0xFE, 0x6F, 0x00, 0x6C, 0x00, 0x64, 0x00});

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

// Exit from the menu or the board stores the text and copies it with Copy
// On Exit; Ctrl+Q closes without storing; closing the window is an Exit.
// The close is posted, never done inside the command.
TEST(ProgramExit, EachWayOutStoresAndCopiesTheTextAsItShould)
{
    using Leave = std::function<void(ProgramRun &)>;
    const Leave exit = [](ProgramRun &run) {
        run.Command(ID_FILE_EXIT);
        EXPECT_TRUE(run.Frame()->isVisible());
    };
    const Leave boardExit = [](ProgramRun &run) { PostWindowMessage(&run.View()->KeyboardWindow(), WM_KBD_EXIT); };
    const Leave ctrlQ = [](ProgramRun &run) {
        ASSERT_TRUE(run.Activate());
        QTest::keyClick(run.View(), Qt::Key_Q, Qt::ControlModifier);
    };
    const Leave close = [](ProgramRun &run) { EXPECT_TRUE(run.Frame()->close()); };
    const struct {
        void (*type)(const ProgramRun &);
        Leave leave;
        bool copy;
        QByteArray file;
    } cases[] = {{Type, exit, false, kTypedFileBytes}, {TypeOnBoard, boardExit, true, kTypedFileBytes},
                 {Type, ctrlQ, false, kOlderFileBytes}, {Type, close, true, kTypedFileBytes},
                 {TypeOnBoard, close, true, kTypedFileBytes}};
    for (const auto &c : cases) {
        ProgramRun run([&c](Settings &s) { s.m_bCopyOnExit = c.copy; }, OlderFile);
        c.type(run);
        c.leave(run);
        RunPostedMessages();
        EXPECT_FALSE(run.Frame()->isVisible());
        EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), c.file);
        EXPECT_EQ(run.m_environment.m_clipboard.m_text, c.copy ? u"ab\r\nc" : u"");
        EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty() && !run.m_environment.m_clipboard.m_bOpen);
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
    ProgramRun run([](Settings &s) { s.m_bCopyOnExit = 0; }, OlderFile);
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

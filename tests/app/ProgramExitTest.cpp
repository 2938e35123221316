#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexApp.h"
#include "app/QuorlexView.h"
#include "platform/ProgramFolder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

namespace {
const QByteArray kTypedFileBytes =
    Bytes({0xFF, 0xFE, 0x61, 0x00, 0x62, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x63, 0x00});
const QByteArray kOlderFileBytes = Bytes({0xFF, 0xFE, 0x6F, 0x00, 0x6C, 0x00, 0x64, 0x00});

void TypeInNotepad(CQuorlexView *view)
{
    QTest::keyClicks(view, QStringLiteral("ab"));
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClicks(view, QStringLiteral("c"));
}

void ChooseExit(CQuorlexApp &program)
{
    program.MainFrame()->Command(ID_FILE_EXIT)->trigger();
}

// Files that fill up a disk: writes beyond the limit fail instead of
// killing the test.
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
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bCopyOnExit = 0; });
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    TypeInNotepad(program.View());
    ChooseExit(program);
    // The close is posted, never done inside the command.
    EXPECT_TRUE(program.MainFrame()->isVisible());
    RunPostedMessages();
    EXPECT_FALSE(program.MainFrame()->isVisible());
    EXPECT_EQ(ReadBytes(program.View()->LastUsedPath()), kTypedFileBytes);
    EXPECT_EQ(environment.m_clipboard.m_nOpens, 0);
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
}

TEST(ProgramExit, CopyOnExitLeavesTheSameTextOnTheClipboard)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bCopyOnExit = 1; });
    environment.m_clipboard.SetText(u"before");
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    TypeInNotepad(program.View());
    ChooseExit(program);
    RunPostedMessages();
    EXPECT_EQ(environment.m_clipboard.m_text, u"ab\r\nc");
    EXPECT_FALSE(environment.m_clipboard.m_bOpen);
    EXPECT_EQ(ReadBytes(program.View()->LastUsedPath()), kTypedFileBytes);
}

TEST(ProgramExit, ClipboardThatWillNotOpenStillLetsExitSaveAndClose)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bCopyOnExit = 1; });
    environment.m_clipboard.m_bRefuseOpen = true;
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    TypeInNotepad(program.View());
    ChooseExit(program);
    RunPostedMessages();
    EXPECT_FALSE(program.MainFrame()->isVisible());
    EXPECT_EQ(ReadBytes(program.View()->LastUsedPath()), kTypedFileBytes);
}

TEST(ProgramExit, CtrlQClosesAndKeepsTheFileOfThePreviousExit)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bCopyOnExit = 0; });
    const QString file = environment.WriteProgramFile(QStringLiteral("LastUsed.txt"), kOlderFileBytes);
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    ASSERT_TRUE(ActivateFrame(program.MainFrame()));
    TypeInNotepad(program.View());
    QTest::keyClick(program.View(), Qt::Key_Q, Qt::ControlModifier);
    RunPostedMessages();
    EXPECT_FALSE(program.MainFrame()->isVisible());
    EXPECT_EQ(ReadBytes(file), kOlderFileBytes);
}

TEST(ProgramExit, ClosingTheWindowKeepsTheTextAsExitDoes)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bCopyOnExit = 1; });
    environment.WriteProgramFile(QStringLiteral("LastUsed.txt"), kOlderFileBytes);
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    TypeInNotepad(program.View());
    EXPECT_TRUE(program.MainFrame()->close());
    EXPECT_EQ(ReadBytes(program.View()->LastUsedPath()), kTypedFileBytes);
    EXPECT_EQ(environment.m_clipboard.m_text, u"ab\r\nc");
}

// LastUsed.txt is a folder here: the save cannot replace it.
TEST(ProgramExit, FailedSaveIsReportedOnceAndTheProgramStillCloses)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bCopyOnExit = 1; });
    QDir(environment.ProgramFolder()).mkpath(QStringLiteral("LastUsed.txt/inside"));
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    TypeInNotepad(program.View());
    ChooseExit(program);
    RunPostedMessages();
    EXPECT_FALSE(program.MainFrame()->isVisible());
    ASSERT_EQ(environment.m_prompt.m_texts.size(), 1);
    EXPECT_TRUE(environment.m_prompt.m_texts.first().startsWith(QStringLiteral("Failed to save document.")));
    EXPECT_TRUE(QFileInfo(program.View()->LastUsedPath() + QStringLiteral("/inside")).isDir());
    EXPECT_EQ(environment.m_clipboard.m_text, u"ab\r\nc");
}

TEST(ProgramExit, ProgramFolderThatCannotExistFailsTheSaveButNotTheStart)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_nOnStartAction = 1; });
    const QString plainFile = environment.WriteProgramFile(QStringLiteral("plain"), "x");
    SetProgramFolder(plainFile + QStringLiteral("/folder"));
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    TypeInNotepad(program.View());
    ChooseExit(program);
    RunPostedMessages();
    EXPECT_FALSE(program.MainFrame()->isVisible());
    EXPECT_EQ(environment.m_prompt.m_texts.size(), 1);
    EXPECT_EQ(environment.m_clipboard.m_text, u"ab\r\nc");
}

TEST(ProgramExit, SaveThatFailsHalfWayLeavesThePreviousFileWhole)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bCopyOnExit = 0; });
    const QString file = environment.WriteProgramFile(QStringLiteral("LastUsed.txt"), kOlderFileBytes);
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    program.View()->SetViewText(std::u16string(20000, u'z'));
    {
        const FileSizeLimit limit(4096);
        ChooseExit(program);
    }
    RunPostedMessages();
    EXPECT_FALSE(program.MainFrame()->isVisible());
    EXPECT_EQ(environment.m_prompt.m_texts.size(), 1);
    EXPECT_EQ(ReadBytes(file), kOlderFileBytes);
    EXPECT_EQ(QDir(environment.ProgramFolder()).entryList(QDir::Files), QStringList{QStringLiteral("LastUsed.txt")});
}

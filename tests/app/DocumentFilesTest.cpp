#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexApp.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {
void RunCommand(CQuorlexApp &program, int command)
{
    program.MainFrame()->Command(command)->trigger();
}
}

TEST(DocumentFiles, CtrlSAfterStartWritesTheLastUsedFile)
{
    TestEnvironment environment;
    WritePreferences();
    FakeFileDialogs dialogs;
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    ASSERT_TRUE(ActivateFrame(program.MainFrame()));
    program.View()->SetViewText(u"kept");
    QTest::keyClick(program.View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(program.View()->LastUsedPath()),
              Bytes({0xFF, 0xFE, 'k', 0, 'e', 0, 'p', 0, 't', 0}));
    EXPECT_EQ(dialogs.m_nAsked, 0);
    EXPECT_FALSE(program.Document()->IsModified());
}

TEST(DocumentFiles, SaveAsWritesTheSameFormatAndLaterSavesGoThere)
{
    TestEnvironment environment;
    WritePreferences();
    FakeFileDialogs dialogs;
    dialogs.m_strSaveAnswer = QDir(environment.ProgramFolder()).filePath(QStringLiteral("note.txt"));
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    program.View()->SetViewText(u"a\r\nb");
    RunCommand(program, ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(dialogs.m_strSaveAnswer), Bytes({0xFF, 0xFE, 'a', 0, 0x0D, 0, 0x0A, 0, 'b', 0}));
    EXPECT_EQ(program.Document()->GetPathName(), dialogs.m_strSaveAnswer);

    program.View()->SetViewText(u"c");
    RunCommand(program, ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(dialogs.m_strSaveAnswer), Bytes({0xFF, 0xFE, 'c', 0}));
    EXPECT_FALSE(QFileInfo::exists(program.View()->LastUsedPath()));
}

TEST(DocumentFiles, SaveAsThatFailsOrIsCancelledKeepsThePath)
{
    TestEnvironment environment;
    WritePreferences();
    FakeFileDialogs dialogs;
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    const QString lastUsed = program.Document()->GetPathName();
    RunCommand(program, ID_FILE_SAVE_AS);
    EXPECT_EQ(program.Document()->GetPathName(), lastUsed);
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());

    dialogs.m_strSaveAnswer = environment.ProgramFolder() + QStringLiteral("/missing/folder/note.txt");
    RunCommand(program, ID_FILE_SAVE_AS);
    EXPECT_EQ(program.Document()->GetPathName(), lastUsed);
    EXPECT_EQ(environment.m_prompt.m_texts.size(), 1);
}

// Only a real byte-order mark is skipped: other files keep their first character.
TEST(DocumentFiles, OpenReadsFilesWithAndWithoutTheMark)
{
    TestEnvironment environment;
    WritePreferences();
    FakeFileDialogs dialogs;
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    dialogs.m_strOpenAnswer = environment.WriteProgramFile(QStringLiteral("marked.txt"),
                                                           Bytes({0xFF, 0xFE, 'h', 0, 0x0D, 0, 0x0A, 0, 'i', 0}));
    RunCommand(program, ID_FILE_OPEN);
    EXPECT_EQ(program.View()->ViewText(), u"h\r\ni");
    EXPECT_EQ(program.Document()->GetPathName(), dialogs.m_strOpenAnswer);

    dialogs.m_strOpenAnswer = environment.WriteProgramFile(QStringLiteral("plain.txt"), Bytes({'A', 0, 'B', 0}));
    RunCommand(program, ID_FILE_OPEN);
    EXPECT_EQ(program.View()->ViewText(), u"AB");
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
}

TEST(DocumentFiles, OpenThatIsCancelledOrCannotReadChangesNothing)
{
    TestEnvironment environment;
    WritePreferences();
    FakeFileDialogs dialogs;
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    program.View()->SetViewText(u"mine");
    const QString lastUsed = program.Document()->GetPathName();
    RunCommand(program, ID_FILE_OPEN);
    dialogs.m_strOpenAnswer = environment.ProgramFolder();
    RunCommand(program, ID_FILE_OPEN);
    EXPECT_EQ(program.View()->ViewText(), u"mine");
    EXPECT_EQ(program.Document()->GetPathName(), lastUsed);
    EXPECT_EQ(environment.m_prompt.m_texts.size(), 1);
}

TEST(DocumentFiles, NewEmptiesTheNotepadAndForgetsThePath)
{
    TestEnvironment environment;
    WritePreferences();
    FakeFileDialogs dialogs;
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    program.View()->SetViewText(u"gone");
    RunCommand(program, ID_FILE_NEW);
    EXPECT_EQ(program.View()->ViewText(), u"");
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    RunCommand(program, ID_FILE_SAVE);
    EXPECT_EQ(dialogs.m_nAsked, 1);
    EXPECT_FALSE(QFileInfo::exists(program.View()->LastUsedPath()));
}

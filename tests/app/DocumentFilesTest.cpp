#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>

// Cancelled dialogs change nothing; a file that cannot be read or written
// gets one message each and leaves text and path as they were. Ctrl+S keeps
// the text in LastUsed.txt until New forgets the path and it asks for a name.
// Save As writes the last-use format and becomes the path of later saves;
// Open skips only a real byte-order mark, and a UTF-8 file opens readable and
// goes back as the same bytes.
TEST(DocumentFiles, SaveAndOpenKeepEachFilesFormat)
{
    FakeFileDialogs dialogs;
    const ProgramRun run;
    ASSERT_TRUE(run.Activate());
    const auto save = [&run] { QTest::keyClick(run.View(), Qt::Key_S, Qt::ControlModifier); };
    run.View()->SetViewText(u"kept");
    run.Command(ID_FILE_OPEN);
    run.Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
    dialogs.m_strOpenAnswer = run.m_environment.ProgramFolder();
    dialogs.m_strSaveAnswer = run.FilePath("missing/folder/note.txt");
    run.Command(ID_FILE_OPEN);
    run.Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(run.View()->ViewText(), u"kept");
    EXPECT_EQ(run.Document()->GetPathName(), run.FilePath("LastUsed.txt"));
    EXPECT_EQ(run.m_environment.m_prompt.m_texts.size(), 2);
    save();
    const QByteArray kept = Bytes({0xFF, 0xFE, 'k', 0, 'e', 0, 'p', 0, 't', 0});
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kept);
    dialogs.m_strSaveAnswer = run.FilePath("note.txt");
    run.View()->SetViewText(u"a\r\nb");
    run.Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(dialogs.m_strSaveAnswer), Bytes({0xFF, 0xFE, 'a', 0, 0x0D, 0, 0x0A, 0, 'b', 0}));
    run.View()->SetViewText(u"c");
    save();
    EXPECT_EQ(ReadBytes(dialogs.m_strSaveAnswer), Bytes({0xFF, 0xFE, 'c', 0}));
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), kept);
    EXPECT_EQ(dialogs.m_nAsked, 5);

    dialogs.m_strOpenAnswer = run.m_environment.WriteProgramFile("plain.txt", Bytes({'A', 0, 'B', 0}));
    run.Command(ID_FILE_OPEN);
    EXPECT_EQ(run.View()->ViewText(), u"AB");
    EXPECT_EQ(run.Document()->GetPathName(), dialogs.m_strOpenAnswer);
    const QByteArray utf8("\xEF\xBB\xBF" "odd\r\n\xF0\x9F\x98\x80");
    dialogs.m_strOpenAnswer = run.m_environment.WriteProgramFile("utf8.txt", utf8);
    run.Command(ID_FILE_OPEN);
    EXPECT_EQ(run.View()->Edit()->toPlainText(), QString::fromUtf8("odd\n\xF0\x9F\x98\x80"));
    save();
    EXPECT_EQ(ReadBytes(dialogs.m_strOpenAnswer), utf8);
    run.Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(dialogs.m_strSaveAnswer).left(4), Bytes({0xFF, 0xFE, 'o', 0}));
    run.Command(ID_FILE_OPEN);
    run.View()->SaveLastUsedText();
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")).left(4), Bytes({0xFF, 0xFE, 'o', 0}));
    QTest::keyClick(run.View(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(run.View()->ViewText(), u"");
    save();
    EXPECT_EQ(dialogs.m_nAsked, 10);
    EXPECT_EQ(run.m_environment.m_prompt.m_texts.size(), 2);
}

// Another copy of the program, or any other program, wrote LastUsed.txt while
// this one ran: a save keeps that text aside first, unless it is the very text.
TEST(DocumentFiles, ALastUsedFileWrittenMeanwhileIsKeptAside)
{
    const ProgramRun run;
    const QByteArray mine = Bytes({0xFF, 0xFE, 'm', 0, 'e', 0});
    run.View()->SetViewText(u"me");
    for (const QByteArray &theirs : {mine, QByteArray("theirs"), QByteArray("more")}) {
        run.m_environment.WriteProgramFile("LastUsed.txt", theirs);
        EXPECT_TRUE(run.View()->SaveLastUsedText());
    }
    run.View()->SaveLastUsedText();
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed.txt")), mine);
    EXPECT_EQ(ReadBytes(run.FilePath("LastUsed-kept.txt")) + ReadBytes(run.FilePath("LastUsed-kept-2.txt")), "theirsmore");
    EXPECT_EQ(run.m_environment.m_prompt.m_texts,
              QStringList({"LastUsed.txt was changed by another program while Quorlex ran. That text has been kept as "
                           "LastUsed-kept.txt.",
                           "LastUsed.txt was changed by another program while Quorlex ran. That text has been kept as "
                           "LastUsed-kept-2.txt."}));
}

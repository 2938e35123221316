#include "ProgramTestSupport.h"

#include "app/MainFrame.h"
#include "app/QuorlexApp.h"
#include "app/QuorlexView.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <string>

namespace {
struct LastUsedCase {
    const char *what;
    bool bWriteFile;
    QByteArray bytes;
    std::u16string expected;
};

std::u16string StartWith(int nAction)
{
    WritePreferences([nAction](Settings &s) { s.m_nOnStartAction = nAction; });
    CQuorlexApp program;
    if (!program.InitInstance())
        return u"<no start>";
    return program.View()->ViewText();
}
}

TEST(StartAction, ActionOneShowsWhatTheLastUsedFileHolds)
{
    const LastUsedCase cases[] = {
        {"no file", false, {}, u""},
        {"empty file", true, {}, u""},
        {"one byte", true, Bytes({0xFF}), u""},
        {"only the mark", true, Bytes({0xFF, 0xFE}), u""},
        {"seven bytes", true, Bytes({0xFF, 0xFE, 0x61, 0x00, 0x22, 0x21, 0x7A}), u"a\u2122"},
        {"lines", true, Bytes({0xFF, 0xFE, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x09, 0x00}), u"a\r\n\t"},
        {"no mark", true, Bytes({0x41, 0x00, 0x42, 0x00}), u"AB"},
        {"broken surrogates and NUL", true, Bytes({0xFF, 0xFE, 0x00, 0xD8, 0x00, 0x00, 0x78, 0x00, 0x00, 0xDC}),
         std::u16string(u"\xD800\0x\xDC00", 4)},
        {"no-break space", true, Bytes({0xFF, 0xFE, 0xA0, 0x00}), u"\u00A0"},
    };
    for (const LastUsedCase &c : cases) {
        TestEnvironment environment;
        if (c.bWriteFile)
            environment.WriteProgramFile(QStringLiteral("LastUsed.txt"), c.bytes);
        EXPECT_EQ(StartWith(1), c.expected) << c.what;
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty()) << c.what;
    }
}

TEST(StartAction, ActionZeroAndUnknownValuesStartEmpty)
{
    for (const int nAction : {0, 3, 7, -1}) {
        TestEnvironment environment;
        environment.WriteProgramFile(QStringLiteral("LastUsed.txt"), Bytes({0xFF, 0xFE, 0x61, 0x00}));
        environment.m_clipboard.SetText(u"clip");
        EXPECT_EQ(StartWith(nAction), u"") << nAction;
        EXPECT_EQ(environment.m_clipboard.m_nOpens, 0) << nAction;
    }
}

TEST(StartAction, ActionTwoTakesUnicodeTextFromTheClipboard)
{
    {
        TestEnvironment environment;
        environment.m_clipboard.SetText(u"x\r\ny");
        EXPECT_EQ(StartWith(2), u"x\r\ny");
        EXPECT_EQ(environment.m_clipboard.m_nCloses, 1);
        EXPECT_EQ(environment.m_clipboard.m_text, u"x\r\ny");
    }
    {
        TestEnvironment environment;
        EXPECT_EQ(StartWith(2), u"");
        EXPECT_EQ(environment.m_clipboard.m_nCloses, 1);
    }
    {
        TestEnvironment environment;
        environment.m_clipboard.SetText(u"refused");
        environment.m_clipboard.m_bRefuseOpen = true;
        EXPECT_EQ(StartWith(2), u"");
        EXPECT_EQ(environment.m_clipboard.m_nCloses, 0);
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    }
}

// A folder or a pipe in the file's place must neither hang nor stop the start.
TEST(StartAction, LastUsedFileThatCannotBeReadGivesAnEmptyNotepad)
{
    {
        TestEnvironment environment;
        QDir(environment.ProgramFolder()).mkdir(QStringLiteral("LastUsed.txt"));
        EXPECT_EQ(StartWith(1), u"");
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    }
    {
        TestEnvironment environment;
        const QString pipe = QDir(environment.ProgramFolder()).filePath(QStringLiteral("LastUsed.txt"));
        ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        EXPECT_EQ(StartWith(1), u"");
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    }
}

TEST(StartAction, FiftyMegabyteFileIsReadWhole)
{
    TestEnvironment environment;
    const QString line = QString(62, QLatin1Char('q')) + QStringLiteral("\r\n");
    const QByteArray unit(reinterpret_cast<const char *>(line.utf16()), line.size() * 2);
    QByteArray bytes = Bytes({0xFF, 0xFE});
    while (bytes.size() < 50 * 1024 * 1024)
        bytes += unit;
    environment.WriteProgramFile(QStringLiteral("LastUsed.txt"), bytes);
    const std::u16string text = StartWith(1);
    EXPECT_EQ(text.size(), static_cast<std::size_t>(bytes.size() - 2) / 2);
    EXPECT_EQ(text.substr(text.size() - 4), u"qq\r\n");
    EXPECT_EQ(text.substr(0, 3), u"qqq");
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
}

#include "app/CommandLine.h"
#include "app/ScreenScale.h"

#include "support/TestEnvironment.h"
#include "tools/ToolRun.h"

#include <gtest/gtest.h>


namespace {
CommandLineOptions Parse(const QStringList &arguments)
{
    return ParseCommandLine(QStringList{QStringLiteral("quorlex")} + arguments);
}
}

// Qt's own options pass through untouched; ours take "--x V" and "--x=V".
TEST(CommandLine, OptionsInBothSpellingsAndWrongValues)
{
    const CommandLineOptions spaced = Parse({"-platform", "offscreen", "--home", "/tmp/q", "--scale", "3"});
    EXPECT_EQ(spaced.m_strHome, QStringLiteral("/tmp/q"));
    EXPECT_EQ(spaced.m_nScale, 3);
    EXPECT_TRUE(spaced.m_strError.isEmpty());
    EXPECT_FALSE(spaced.m_bQuitAfterFirstPaint);
    const CommandLineOptions joined = Parse({"--home=/a b", "--scale=16", "--version", "--quit-after-first-paint"});
    EXPECT_EQ(joined.m_strHome, QStringLiteral("/a b"));
    EXPECT_EQ(joined.m_nScale, 16);
    EXPECT_TRUE(joined.m_bVersion);
    EXPECT_TRUE(joined.m_bQuitAfterFirstPaint);
    for (const QStringList &wrong : {QStringList{"--scale"}, QStringList{"--scale", "0"}, QStringList{"--scale=17"},
                                     QStringList{"--scale", "2x"}, QStringList{"--home"}, QStringList{"--home="}})
        EXPECT_FALSE(Parse(wrong).m_strError.isEmpty()) << wrong.join(' ').toStdString();
    EXPECT_TRUE(joined.m_strUnknown.isEmpty());
    EXPECT_EQ(Parse({"--home", "/h", "--hom", "/h"}).m_strUnknown, QStringLiteral("Unknown option \"--hom\"."));
    EXPECT_EQ(Parse({"stray", "--bogus"}).m_strUnknown, QStringLiteral("Unexpected argument \"stray\"."));
}

// What Qt does not take and the program does not know stops the start.
TEST(CommandLine, ProgramRefusesWhatNobodyKnowsAndPassesQtOptions)
{
    const TestEnvironment environment;
    const QString home = environment.ProgramFolder();
    const QString program = QStringLiteral(QUORLEX_PROGRAM);
    for (const QStringList &wrong : {QStringList{"--bogus"}, QStringList{"--hom", home}}) {
        const ToolRun run = RunTool(program, QStringList{"-platform", "offscreen"} + wrong);
        EXPECT_EQ(run.m_nStatus, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(run.m_strErr.contains(QStringLiteral("Unknown option \"%1\".\nUsage: ").arg(wrong.first())))
            << run.m_strErr.toStdString();
    }
    const ToolRun started = RunTool(program, {"-platform", "offscreen", "-style", "fusion", "--home", home,
                                              "--quit-after-first-paint"});
    EXPECT_EQ(started.m_nStatus, 0) << started.m_strErr.toStdString();
    const ToolRun help = RunTool(program, {"--help"});
    EXPECT_EQ(help.m_nStatus, 0);
    for (const char *option : {"--home DIR", "--scale N", "--help", "--version", "--quit-after-first-paint"})
        EXPECT_TRUE(help.m_strOut.section('\n', 0, 0).contains(QLatin1String(option))) << option;
}

// The window with its frame must fit; a desktop smaller than one screen still gets 1.
TEST(ScreenScale, LargestWholeScaleThatFits)
{
    EXPECT_EQ(LargestFittingScale(480, 640), 1);
    EXPECT_EQ(LargestFittingScale(480, 680), 2);
    EXPECT_EQ(LargestFittingScale(1920, 1040), 3);
    EXPECT_EQ(LargestFittingScale(200, 200), 1);
}

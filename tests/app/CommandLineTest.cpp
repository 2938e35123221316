#include "app/CommandLine.h"
#include "app/ScreenScale.h"

#include "support/TestEnvironment.h"
#include "tools/ToolRun.h"

#include <gtest/gtest.h>

namespace {
CommandLineOptions Parse(const QStringList &arguments)
{
    return ParseCommandLine(QStringList{"quorlex"} + arguments);
}
}

// Qt's own options pass through untouched; ours take "--x V" and "--x=V".
TEST(CommandLine, OptionsInBothSpellingsAndWrongValues)
{
    const CommandLineOptions spaced = Parse({"-platform", "offscreen", "--home", "/tmp/q", "--scale", "3"});
    EXPECT_EQ(spaced.m_strHome, "/tmp/q");
    EXPECT_EQ(spaced.m_nScale, 3);
    EXPECT_TRUE(spaced.m_strError.isEmpty() && !spaced.m_bQuitAfterFirstPaint);
    const CommandLineOptions joined = Parse({"--home=/a b", "--scale=16", "--version", "--quit-after-first-paint"});
    EXPECT_EQ(joined.m_strHome, "/a b");
    EXPECT_EQ(joined.m_nScale, 16);
    EXPECT_TRUE(joined.m_bVersion && joined.m_bQuitAfterFirstPaint && joined.m_strUnknown.isEmpty());
    for (const char *wrong : {"--scale", "--scale 0", "--scale=17", "--scale 2x", "--home", "--home="})
        EXPECT_FALSE(Parse(QString(wrong).split(' ')).m_strError.isEmpty()) << wrong;
    EXPECT_EQ(Parse({"--home", "/h", "--hom", "/h"}).m_strUnknown, "Unknown option \"--hom\".");
    EXPECT_EQ(Parse({"stray", "--bogus"}).m_strUnknown, "Unexpected argument \"stray\".");
    // The window with its frame must fit; a desktop smaller than one screen still gets 1.
    for (auto [nWidth, nHeight, nScale] : {std::tuple(480, 640, 1), {480, 680, 2}, {1920, 1040, 3}, {200, 200, 1}})
        EXPECT_EQ(LargestFittingScale(nWidth, nHeight), nScale) << nWidth << "x" << nHeight;
}

// What Qt does not take and the program does not know stops the start.
TEST(CommandLine, ProgramRefusesWhatNobodyKnowsAndPassesQtOptions)
{
    const TestEnvironment environment;
    const QString home = environment.ProgramFolder(), program = QUORLEX_PROGRAM;
    for (const QStringList &wrong : {QStringList{"--bogus"}, QStringList{"--hom", home}}) {
        const ToolRun run = RunTool(program, QStringList{"-platform", "offscreen"} + wrong);
        EXPECT_EQ(run.m_nStatus, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(run.m_strErr.contains(QString("Unknown option \"%1\".\nUsage: ").arg(wrong.first())))
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

#include "app/CommandLine.h"
#include "app/ScreenScale.h"

#include <gtest/gtest.h>

namespace {
CommandLineOptions Parse(const QStringList &arguments)
{
    return ParseCommandLine(QStringList{QStringLiteral("quorlex")} + arguments);
}
}

TEST(CommandLine, HomeAndScaleInBothSpellings)
{
    const CommandLineOptions spaced = Parse({"--home", "/tmp/q", "--scale", "3"});
    EXPECT_EQ(spaced.m_strHome, QStringLiteral("/tmp/q"));
    EXPECT_EQ(spaced.m_nScale, 3);
    EXPECT_TRUE(spaced.m_strError.isEmpty());
    const CommandLineOptions joined = Parse({"--home=/a b", "--scale=1"});
    EXPECT_EQ(joined.m_strHome, QStringLiteral("/a b"));
    EXPECT_EQ(joined.m_nScale, 1);
    const CommandLineOptions none = Parse({"-platform", "offscreen"});
    EXPECT_EQ(none.m_nScale, 0);
    EXPECT_TRUE(none.m_strHome.isEmpty());
    EXPECT_TRUE(none.m_strError.isEmpty());
}

TEST(CommandLine, WrongValuesAreErrors)
{
    for (const QStringList &arguments : {QStringList{"--scale"}, QStringList{"--scale", "0"},
                                         QStringList{"--scale", "17"}, QStringList{"--scale", "2x"},
                                         QStringList{"--scale="}, QStringList{"--home"}, QStringList{"--home="}})
        EXPECT_FALSE(Parse(arguments).m_strError.isEmpty()) << arguments.join(' ').toStdString();
}

TEST(CommandLine, HelpAndVersion)
{
    EXPECT_TRUE(Parse({"--help"}).m_bHelp);
    EXPECT_TRUE(Parse({"-h"}).m_bHelp);
    EXPECT_TRUE(Parse({"--version"}).m_bVersion);
    EXPECT_TRUE(VersionText().startsWith(QStringLiteral("Quorlex 1.")));
    EXPECT_TRUE(UsageText().contains(QStringLiteral("--scale N")));
}

// The window with its frame must fit; a desktop smaller than one screen still gets 1.
TEST(ScreenScale, LargestWholeScaleThatFits)
{
    EXPECT_EQ(LargestFittingScale(480, 640), 1);
    EXPECT_EQ(LargestFittingScale(480, 680), 2);
    EXPECT_EQ(LargestFittingScale(1920, 1040), 3);
    EXPECT_EQ(LargestFittingScale(3840, 2120), 6);
    EXPECT_EQ(LargestFittingScale(200, 200), 1);
}

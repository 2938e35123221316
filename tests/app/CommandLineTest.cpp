#include "app/CommandLine.h"
#include "app/ScreenScale.h"

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
}

// The window with its frame must fit; a desktop smaller than one screen still gets 1.
TEST(ScreenScale, LargestWholeScaleThatFits)
{
    EXPECT_EQ(LargestFittingScale(480, 640), 1);
    EXPECT_EQ(LargestFittingScale(480, 680), 2);
    EXPECT_EQ(LargestFittingScale(1920, 1040), 3);
    EXPECT_EQ(LargestFittingScale(200, 200), 1);
}

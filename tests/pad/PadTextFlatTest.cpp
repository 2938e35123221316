#include "pad/PadText.h"
#include "pad/FakePadHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::u16string>;

Lines Split(std::u16string_view text)
{
    Lines out;
    PadText::SplitLines(text, out);
    return out;
}

struct PadTextFlatTest : ::testing::Test {
    FakePadHost host;
    PadText text{host};

    void Load(Lines lines, int nLine, int nCaret)
    {
        text.m_lines = std::move(lines);
        text.m_nLine = nLine;
        text.LoadLine();
        text.m_nCaret = nCaret;
    }
    Lines Committed()
    {
        text.CommitLine();
        return text.m_lines;
    }
};
}

TEST(SplitLines, BreaksAtCrLfThenAtLoneLfAfterTheLast)
{
    EXPECT_EQ(Split(u""), (Lines{u""}));
    EXPECT_EQ(Split(u"\r\n"), (Lines{u""}));
    EXPECT_EQ(Split(u"a\r\nb\r\n"), (Lines{u"a", u"b"}));
    EXPECT_EQ(Split(u"a\r\n\r\nb"), (Lines{u"a", u"", u"b"}));
    EXPECT_EQ(Split(u"a\nb\r\nc"), (Lines{u"a\nb", u"c"}));
    EXPECT_EQ(Split(u"a\r\nb\nc\n"), (Lines{u"a", u"b", u"c", u""}));
    EXPECT_EQ(Split(u"\n"), (Lines{u"", u""}));
}

TEST(SplitLines, KeepsLoneCrNulEllipsisAndBrokenSurrogatesInTheLine)
{
    const std::u16string odd = {u'a', u'\r', u'b', u'\0', u'c', u'\u2026', u'\xD800', u'd', u'\xDC00'};
    EXPECT_EQ(Split(odd), (Lines{odd}));
    EXPECT_EQ(Split(u"\r\r\n\r"), (Lines{u"\r", u"\r"}));
    EXPECT_EQ(Split(u"x\ty\r\n\t"), (Lines{u"x\u2026y", u"\u2026"}));
}

TEST_F(PadTextFlatTest, AllTextJoinsWithCrLfAndGivesTabsBack)
{
    text.m_lines = {u"ab", u"", u"c"};
    EXPECT_EQ(text.GetAllText(), std::u16string({u'a', u'b', u'\r', u'\n', u'\r', u'\n', u'c'}));
    text.m_lines = {u""};
    EXPECT_EQ(text.GetAllText(), u"");
    text.m_lines = {u"a\u2026b", u"\u2026"};
    EXPECT_EQ(text.GetAllText(), u"a\tb\r\n\t");
}

TEST_F(PadTextFlatTest, InsertingBreaksTheLineAroundTheNewLines)
{
    Load({u"XY"}, 0, 1);
    text.InsertText(u"a\r\nb");
    EXPECT_EQ(Committed(), (Lines{u"Xa", u"bY"}));
    EXPECT_EQ(text.m_nLine, 1);
    EXPECT_EQ(text.m_nCaret, 1);
    EXPECT_EQ(text.m_strLine, u"bY");

    Load({u"0", u"XY", u"9"}, 1, 1);
    text.InsertText(u"a\r\nb\r\nc\td\r\n");
    EXPECT_EQ(Committed(), (Lines{u"0", u"Xa", u"b", u"c\u2026dY", u"9"}));
    EXPECT_EQ(text.m_nCaret, 3);

    Load({u"XY"}, 0, 1);
    text.InsertText(u"\r\n");
    EXPECT_EQ(Committed(), (Lines{u"XY"}));
    text.InsertText(u"pq");
    EXPECT_EQ(Committed(), (Lines{u"XpqY"}));
    EXPECT_EQ(text.m_nCaret, 3);
}

TEST_F(PadTextFlatTest, InsertingKeepsAShownSelectionAndScrollsToTheCaret)
{
    Load({u"abc"}, 0, 3);
    text.SelectLine();
    text.m_nCaret = 3;
    text.InsertText(u"defghijklmnop");
    EXPECT_TRUE(text.m_bSelection);
    EXPECT_EQ(text.m_nCaret, 16);
    EXPECT_EQ(text.m_nFirstCol, 7);
}

TEST_F(PadTextFlatTest, ManyLinesGoInAtOnce)
{
    const int nCount = 200000;
    text.m_lines.assign(nCount, u"old");
    text.m_nLine = nCount / 2;
    text.LoadLine();
    std::u16string many;
    for (int i = 0; i < nCount; ++i)
        many += u"new\r\n";
    const auto start = std::chrono::steady_clock::now();
    text.InsertText(many);
    const std::u16string all = text.GetAllText();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // One line at a time into the middle would move the tail 200000 times.
    EXPECT_LT(elapsed, std::chrono::seconds(2));
    // The last new line takes the old line's text after the caret.
    EXPECT_EQ(text.LineCount(), 2 * nCount - 1);
    EXPECT_EQ(text.m_lines[nCount / 2], u"new");
    EXPECT_EQ(text.m_lines[nCount / 2 + nCount - 1], u"newold");
    EXPECT_EQ(text.m_lines[nCount / 2 + nCount], u"old");
    // Three characters a line, CR LF between lines, and "newold" three more.
    EXPECT_EQ(all.size(), static_cast<size_t>(3 * (2 * nCount - 1) + 3 + 2 * (2 * nCount - 2)));
}

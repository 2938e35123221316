#include "pad/PadText.h"
#include "pad/FakePadHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using Lines = std::vector<std::u16string>;

struct PadTextTest : ::testing::Test {
    FakePadHost host;
    PadText text{host};

    void Type(std::u16string_view s)
    {
        for (char16_t ch : s)
            text.InsertChar(ch);
    }
    // Lines as the model holds them, the current one committed.
    Lines Committed()
    {
        text.CommitLine();
        return text.m_lines;
    }
    void Load(Lines lines, int nLine)
    {
        text.m_lines = std::move(lines);
        text.m_nLine = nLine;
        text.LoadLine();
    }
};
}

TEST_F(PadTextTest, TypingStoresTabsAsEllipsisAndReplacesASelection)
{
    Type(u"a\tbcd");
    EXPECT_EQ(text.m_strLine, u"a\u2026bcd");
    EXPECT_EQ(text.m_nCaret, 5);
    text.m_bSelection = true;
    text.m_nSelStart = 1;
    text.m_nSelEnd = 3;
    text.InsertChar(u'X');
    EXPECT_EQ(text.m_strLine, u"aXd");
    EXPECT_EQ(text.m_nCaret, 2);
    EXPECT_FALSE(text.m_bSelection);
    EXPECT_GE(host.m_nStops, 1);
}

TEST_F(PadTextTest, BackspaceJoinsWithThePreviousLineAtColumnZero)
{
    Load({u"one", u"two", u"three"}, 2);
    text.Backspace();
    EXPECT_EQ(text.m_strLine, u"twothree");
    EXPECT_EQ(text.m_nLine, 1);
    EXPECT_EQ(text.m_nCaret, 3);
    EXPECT_EQ(Committed(), (Lines{u"one", u"twothree"}));

    text.m_nCaret = 1;
    text.Backspace();
    EXPECT_EQ(text.m_strLine, u"wothree");
    EXPECT_EQ(text.m_nCaret, 0);

    Load({u"top", u"x"}, 0);
    const int nRedraws = host.m_nRedraws;
    text.Backspace();
    EXPECT_EQ(host.m_nBeeps, 1);
    EXPECT_EQ(host.m_nRedraws, nRedraws);
    EXPECT_EQ(Committed(), (Lines{u"top", u"x"}));
}

TEST_F(PadTextTest, DeleteCharPullsTheNextLineUpAndBeepsAtTheVeryEnd)
{
    Load({u"ab", u"cd"}, 0);
    text.m_nCaret = 1;
    text.DeleteChar();
    EXPECT_EQ(text.m_strLine, u"a");
    EXPECT_EQ(text.m_nCaret, 1);
    text.DeleteChar();
    EXPECT_EQ(text.m_strLine, u"acd");
    EXPECT_EQ(text.m_nCaret, 1);
    EXPECT_EQ(Committed(), (Lines{u"acd"}));
    text.CaretEnd();
    text.DeleteChar();
    EXPECT_EQ(host.m_nBeeps, 1);
    EXPECT_EQ(text.m_strLine, u"acd");
}

TEST_F(PadTextTest, NewLineSplitsAtTheCaretAndEndsOnTheNewLine)
{
    Type(u"abcdef");
    text.m_nCaret = 3;
    text.NewLine();
    EXPECT_EQ(Committed(), (Lines{u"abc", u"def"}));
    EXPECT_EQ(text.m_nLine, 1);
    EXPECT_EQ(text.m_nCaret, 0);
    text.CaretEnd();
    text.NewLine();
    EXPECT_EQ(Committed(), (Lines{u"abc", u"def", u""}));
    EXPECT_EQ(text.m_nLine, 2);
}

TEST_F(PadTextTest, LineMovesKeepTheEditPutTheCaretAtZeroAndBeepAtTheEnds)
{
    Load({u"first", u"second"}, 0);
    text.PrevLine();
    EXPECT_EQ(host.m_nBeeps, 1);
    text.CaretEnd();
    Type(u"!");
    text.NextLine();
    EXPECT_EQ(text.m_lines[0], u"first!");
    EXPECT_EQ(text.m_nCaret, 0);
    EXPECT_EQ(text.m_strLine, u"second");
    text.NextLine();
    EXPECT_EQ(host.m_nBeeps, 2);
    text.PrevLine();
    EXPECT_EQ(text.m_strLine, u"first!");
}

TEST_F(PadTextTest, CaretMovesCollapseASelectionToItsEnds)
{
    Type(u"abcdef");
    text.m_bSelection = true;
    text.m_nSelStart = 2;
    text.m_nSelEnd = 4;
    text.CaretLeft();
    EXPECT_EQ(text.m_nCaret, 2);
    EXPECT_FALSE(text.m_bSelection);
    text.m_bSelection = true;
    text.CaretRight();
    EXPECT_EQ(text.m_nCaret, 5);
    text.SelectLine();
    text.CaretRight();
    EXPECT_EQ(text.m_nCaret, 6);
    EXPECT_EQ(host.m_nStops, 3);

    const int nRedraws = host.m_nRedraws;
    text.CaretRight();
    text.CaretHome();
    text.CaretLeft();
    EXPECT_EQ(host.m_nBeeps, 2);
    EXPECT_EQ(host.m_nRedraws, nRedraws + 1);
    EXPECT_EQ(text.m_nCaret, 0);
}

TEST_F(PadTextTest, ClearAllLeavesOneEmptyLine)
{
    Load({u"a", u"b", u"c"}, 2);
    Type(u"xyz");
    text.SelectLine();
    text.ClearAll();
    EXPECT_EQ(Committed(), (Lines{u""}));
    EXPECT_EQ(text.m_nLine, 0);
    EXPECT_EQ(text.m_nCaret, 0);
    EXPECT_EQ(text.m_nFirstCol, 0);
    EXPECT_FALSE(text.m_bSelection);
}

TEST_F(PadTextTest, TypingPastTheStripScrollsByWholeCharacters)
{
    Type(u"abcdefghi");
    EXPECT_EQ(text.m_nFirstCol, 0);
    Type(u"j");
    EXPECT_EQ(text.m_nFirstCol, 1);
    Type(u"klm");
    EXPECT_EQ(text.m_nFirstCol, 4);
    // Going back past the first column keeps one character before the caret.
    for (int i = 0; i < 10; ++i)
        text.CaretLeft();
    EXPECT_EQ(text.m_nCaret, 3);
    EXPECT_EQ(text.m_nFirstCol, 2);
    text.Backspace();
    EXPECT_EQ(text.m_nFirstCol, 1);
    text.CaretEnd();
    EXPECT_EQ(text.m_nFirstCol, 3);
}

TEST_F(PadTextTest, ScrollingFindsTheFirstColumnThatFitsForAnyWidths)
{
    host.m_widths = {{u'i', 3}, {u'm', 17}, {u'w', 25}};
    const std::u16string line = u"mimiwwiimmmiwiiiwmimmmiwwwiimiiiimwmmmmiiiwiiimw";
    for (int c = 0; c <= static_cast<int>(line.size()); ++c) {
        for (int nFirst : {0, c / 3, c - 1}) {
            text.m_strLine = line;
            text.m_nFirstCol = std::max(nFirst, 0);
            // One column at a time, as the pad scrolls by hand.
            int nExpected = text.m_nFirstCol;
            while (host.MeasureText(std::u16string_view(line).substr(nExpected, c - std::min(c, nExpected))) >=
                   host.m_nLength - 6)
                ++nExpected;
            text.ScrollToShow(c);
            EXPECT_EQ(text.m_nFirstCol, nExpected) << "column " << c << " from " << nFirst;
        }
    }
}

TEST_F(PadTextTest, AStripTooShortForAnyTextStillStopsScrolling)
{
    host.m_nLength = 4;
    Type(u"abc");
    EXPECT_EQ(text.m_nFirstCol, 3);
    text.CaretHome();
    EXPECT_EQ(text.m_nFirstCol, 0);
}

TEST_F(PadTextTest, HitTestCountsTheCharactersBeforeAPoint)
{
    host.m_widths = {{u'i', 3}, {u'w', 25}};
    text.m_strLine = u"iiiwwwii";
    // A poor guess from the average still ends on the right count.
    for (int nAverage : {0, 1, 3}) {
        EXPECT_EQ(text.HitTest(0, nAverage), 0);
        EXPECT_EQ(text.HitTest(8, nAverage), 2);
        EXPECT_EQ(text.HitTest(9, nAverage), 3);
        EXPECT_EQ(text.HitTest(33, nAverage), 3);
        EXPECT_EQ(text.HitTest(34, nAverage), 4);
        EXPECT_EQ(text.HitTest(500, nAverage), 8);
    }
    text.m_nFirstCol = 3;
    EXPECT_EQ(text.HitTest(30, 10), 1);
    EXPECT_EQ(text.HitTest(500, 10), 5);
}

TEST_F(PadTextTest, StylusDragSelectsFromTheCaretThroughTheCharacterUnderIt)
{
    Type(u"abcdefgh");
    text.StylusDown(3);
    EXPECT_EQ(text.m_nCaret, 3);
    EXPECT_FALSE(text.StylusDrag(3));
    EXPECT_FALSE(text.m_bSelection);
    EXPECT_TRUE(text.StylusDrag(5));
    EXPECT_EQ(text.m_nSelStart, 3);
    EXPECT_EQ(text.m_nSelEnd, 5);
    EXPECT_EQ(text.SelectedText(), u"def");
    EXPECT_TRUE(text.StylusDrag(1));
    EXPECT_EQ(text.SelectedText(), u"bc");
    EXPECT_EQ(text.m_nCaret, 3);

    text.ExtendSelectionBack();
    text.ExtendSelectionBack();
    EXPECT_EQ(text.m_nSelStart, 0);
    text.StylusDrag(7);
    text.ExtendSelectionForward();
    EXPECT_EQ(text.m_nSelEnd, 7);
    EXPECT_EQ(text.SelectedText(), u"defgh");
}

TEST_F(PadTextTest, EdgeTimersScrollWithTheSelection)
{
    Type(u"abcdefghijklmnop");
    text.CaretHome();
    text.StylusDown(4);
    text.StylusDrag(8);
    for (int i = 0; i < 10; ++i)
        text.ExtendSelectionForward();
    EXPECT_EQ(text.m_nSelEnd, 15);
    EXPECT_EQ(text.m_nFirstCol, 6);
    for (int i = 0; i < 10; ++i)
        text.ExtendSelectionBack();
    EXPECT_EQ(text.m_nSelStart, 0);
    EXPECT_EQ(text.m_nFirstCol, 2);
}

TEST_F(PadTextTest, GoToLineHidesTheListAndOpensTheLine)
{
    Load({u"a", u"b", u"c"}, 0);
    Type(u"x");
    text.ShowLineList();
    EXPECT_TRUE(host.m_bListWindow);
    EXPECT_TRUE(text.m_bListShown);
    EXPECT_EQ(text.m_lines[0], u"xa");
    text.GoToLine(2);
    EXPECT_FALSE(host.m_bListWindow);
    EXPECT_FALSE(text.m_bListShown);
    EXPECT_EQ(text.m_strLine, u"c");
    EXPECT_EQ(text.m_nCaret, 0);
    text.GoToLine(7);
    EXPECT_EQ(text.m_nLine, 2);
}

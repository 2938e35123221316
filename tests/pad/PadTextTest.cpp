#include "pad/FakePadHost.h"
#include "pad/PadText.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

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
    void Load(Lines lines, int nLine, int nCaret = 0)
    {
        text.m_lines = std::move(lines);
        text.m_nLine = nLine;
        text.LoadLine();
        text.m_nCaret = nCaret;
    }
    void Select(int nStart, int nEnd)
    {
        text.m_nSelStart = nStart;
        text.m_nSelEnd = nEnd;
        text.m_bSelection = true;
    }
    Lines Committed()
    {
        text.CommitLine();
        return text.m_lines;
    }
};

Lines Split(std::u16string_view flat)
{
    Lines out;
    PadText::SplitLines(flat, out);
    return out;
}
}

TEST_F(PadTextTest, TypingStoresTabsAsEllipsisAndReplacesASelection)
{
    Type(u"a\tbcd");
    EXPECT_EQ(text.m_strLine, u"a\u2026bcd");
    Select(1, 3);
    text.InsertChar(u'X');
    EXPECT_EQ(text.m_strLine, u"aXd");
    EXPECT_EQ(text.m_nCaret, 2);
    EXPECT_FALSE(text.m_bSelection);
}

TEST_F(PadTextTest, BackspaceAndDeleteJoinLinesAndBeepAtTheEnds)
{
    Load({u"one", u"two", u"three"}, 2);
    text.Backspace();
    EXPECT_EQ(text.m_nLine, 1);
    EXPECT_EQ(text.m_nCaret, 3);
    EXPECT_EQ(Committed(), (Lines{u"one", u"twothree"}));
    Load({u"ab", u"cd"}, 0, 2);
    text.DeleteChar();
    EXPECT_EQ(text.m_nCaret, 2);
    EXPECT_EQ(Committed(), (Lines{u"abcd"}));
    const int nRedraws = host.m_nRedraws;
    text.CaretEnd();
    text.DeleteChar();
    text.CaretHome();
    text.Backspace();
    EXPECT_EQ(host.m_nBeeps, 2);
    EXPECT_EQ(host.m_nRedraws, nRedraws + 2);
    EXPECT_EQ(Committed(), (Lines{u"abcd"}));
}

TEST_F(PadTextTest, NewLineSplitsAndLineMovesKeepTheEdit)
{
    Type(u"abcdef");
    text.m_nCaret = 3;
    text.NewLine();
    EXPECT_EQ(Committed(), (Lines{u"abc", u"def"}));
    EXPECT_EQ(text.m_nCaret, 0);
    Type(u"!");
    text.PrevLine();
    EXPECT_EQ(text.m_nCaret, 0);
    text.PrevLine();
    EXPECT_EQ(text.m_lines[1], u"!def");
    EXPECT_EQ(text.m_strLine, u"abc");
    text.CaretEnd();
    text.NextLine();
    EXPECT_EQ(text.m_nCaret, 0);
    text.NextLine();
    EXPECT_EQ(host.m_nBeeps, 2);
}

TEST_F(PadTextTest, CaretMovesCollapseASelectionToItsEnds)
{
    Type(u"abcdef");
    Select(2, 4);
    text.CaretLeft();
    EXPECT_EQ(text.m_nCaret, 2);
    EXPECT_FALSE(text.m_bSelection);
    Select(2, 4);
    text.CaretRight();
    EXPECT_EQ(text.m_nCaret, 5);
    text.SelectLine();
    text.CaretRight();
    EXPECT_EQ(text.m_nCaret, 6);
    EXPECT_EQ(host.m_nStops, 3);
}

TEST_F(PadTextTest, TypingPastTheStripScrollsByWholeCharacters)
{
    Type(u"abcdefghi");
    EXPECT_EQ(text.m_nFirstCol, 0);
    Type(u"jklm");
    EXPECT_EQ(text.m_nFirstCol, 4);
    for (int i = 0; i < 10; ++i)
        text.CaretLeft();
    EXPECT_EQ(text.m_nFirstCol, 2); // one character stays before the caret
    text.Backspace();
    EXPECT_EQ(text.m_nFirstCol, 1);
    text.CaretEnd();
    EXPECT_EQ(text.m_nFirstCol, 3);
    host.m_nLength = 4; // too short for any text: scrolling still stops
    Type(u"n");
    EXPECT_EQ(text.m_nFirstCol, 13);
}

// U+1F600 is the pair D83D DE00: no move, deletion, tap, selection or
// scroll may leave one half without the other.
TEST_F(PadTextTest, SurrogatePairsAreNeverCutInHalf)
{
    const std::u16string smile = u"\U0001F600";
    Load({u"a" + smile + u"b" + smile}, 0);
    std::vector<int> stops;
    for (int i = 0; i < 4; ++i)
        text.CaretRight(), stops.push_back(text.m_nCaret);
    for (int i = 0; i < 4; ++i)
        text.CaretLeft(), stops.push_back(text.m_nCaret);
    EXPECT_EQ(stops, (std::vector<int>{1, 3, 4, 6, 4, 3, 1, 0}));
    text.StylusDown(2);
    EXPECT_EQ(text.m_nCaret, 1);
    text.DeleteChar();
    EXPECT_EQ(text.m_strLine, u"ab" + smile);
    text.CaretEnd(), text.Backspace();
    EXPECT_EQ(text.m_strLine, u"ab");

    Load({u"a" + smile + u"b" + smile}, 0);
    text.StylusDrag(2);
    EXPECT_EQ(text.SelectedText(), u"a" + smile);
    text.ExtendSelectionForward();
    text.ExtendSelectionForward();
    EXPECT_EQ(text.SelectedText(), text.m_strLine);
    text.m_nCaret = 6;
    text.StylusDrag(5);
    text.ExtendSelectionBack();
    text.ExtendSelectionBack();
    EXPECT_EQ(text.SelectedText(), smile + u"b" + smile);

    // Scrolling: a pair is 20 pixels, the first column shown never its second half.
    Load({u""}, 0);
    for (int i = 0; i < 12; ++i) {
        Type(i % 3 ? smile : u"x");
        const std::u16string visible = text.m_strLine.substr(static_cast<size_t>(text.m_nFirstCol));
        EXPECT_FALSE(visible[0] >= 0xDC00 && visible[0] <= 0xDFFF) << i;
        EXPECT_LT(host.MeasureText(visible), 100);
    }
}

TEST_F(PadTextTest, ScrollingFindsTheFirstColumnThatFitsForAnyWidths)
{
    host.m_widths = {{u'i', 3}, {u'm', 17}, {u'w', 25}};
    const std::u16string line = u"mimiwwiimmmiwiiiwmimmmiwwwiimiiiimwmmmmiiiwiiimw";
    for (int c = 0; c <= static_cast<int>(line.size()); ++c) {
        for (int nFirst : {0, c / 3}) {
            text.m_strLine = line;
            text.m_nFirstCol = nFirst;
            int nExpected = nFirst; // one column at a time
            while (host.MeasureText(std::u16string_view(line).substr(nExpected, c - nExpected)) >= 100)
                ++nExpected;
            text.ScrollToShow(c);
            EXPECT_EQ(text.m_nFirstCol, nExpected) << "column " << c << " from " << nFirst;
        }
    }
}

TEST_F(PadTextTest, HitTestCountsTheCharactersBeforeAPointFromAnyGuess)
{
    host.m_widths = {{u'i', 3}, {u'w', 25}};
    text.m_strLine = u"iiiwwwii";
    for (int nAverage : {0, 1, 3}) {
        EXPECT_EQ(text.HitTest(8, nAverage), 2);
        EXPECT_EQ(text.HitTest(33, nAverage), 3);
        EXPECT_EQ(text.HitTest(34, nAverage), 4);
        EXPECT_EQ(text.HitTest(500, nAverage), 8);
    }
    text.m_nFirstCol = 3;
    EXPECT_EQ(text.HitTest(30, 10), 1);
}

TEST_F(PadTextTest, GoToLineHidesTheListAndClearAllLeavesOneEmptyLine)
{
    Load({u"a", u"b", u"c"}, 0);
    Type(u"x");
    text.ShowLineList();
    EXPECT_TRUE(host.m_bListWindow && text.m_bListShown);
    EXPECT_EQ(text.m_lines[0], u"xa");
    text.GoToLine(2);
    EXPECT_FALSE(host.m_bListWindow || text.m_bListShown);
    EXPECT_EQ(text.m_strLine, u"c");
    Type(u"yz");
    text.SelectLine();
    text.ClearAll();
    EXPECT_EQ(Committed(), (Lines{u""}));
    EXPECT_EQ(text.m_nLine + text.m_nCaret + text.m_nFirstCol, 0);
    EXPECT_FALSE(text.m_bSelection);
}

TEST(SplitLines, BreaksAtCrLfThenAtLoneLfAfterTheLast)
{
    EXPECT_EQ(Split(u""), (Lines{u""}));
    EXPECT_EQ(Split(u"\r\n"), (Lines{u""}));
    EXPECT_EQ(Split(u"a\r\n\r\nb\r\n"), (Lines{u"a", u"", u"b"}));
    EXPECT_EQ(Split(u"a\nb\r\nc"), (Lines{u"a\nb", u"c"}));
    EXPECT_EQ(Split(u"a\r\nb\nc\n"), (Lines{u"a", u"b", u"c"}));
    EXPECT_EQ(Split(u"a\nb\n"), (Lines{u"a", u"b"}));
    EXPECT_EQ(Split(u"a\n\n"), (Lines{u"a", u""}));
    EXPECT_EQ(Split(u"\n"), (Lines{u""}));
    EXPECT_EQ(Split(u"\r\r\n\r"), (Lines{u"\r", u"\r"}));
    EXPECT_EQ(Split(u"x\ty\r\n\t"), (Lines{u"x\u2026y", u"\u2026"}));
    const std::u16string odd = {u'a', u'\0', u'c', u'\u2026', u'\xD800', u'd', u'\xDC00'};
    EXPECT_EQ(Split(odd), (Lines{odd}));
}

// The edited line keeps free room before its units: random inserts, erases,
// cuts and reloads at both ends and in between must leave it equal to a plain
// string edited the same way.
TEST(PadLine, EditsAnywhereMatchAPlainString)
{
    std::mt19937 random(18);
    PadLine line;
    std::u16string plain;
    for (int i = 0; i < 20000; ++i) {
        const size_t nPos = random() % (plain.size() + 1);
        const std::u16string s(random() % 4, char16_t(u'a' + random() % 26));
        switch (random() % 8) {
        case 0: case 1: case 2: line.insert(nPos, s); plain.insert(nPos, s); break;
        case 3: case 4: line.erase(nPos, s.size()); plain.erase(nPos, s.size()); break;
        case 5: line.resize(plain.size() - random() % 3 * (plain.size() / 4)); plain.resize(line.size()); break;
        case 6: line += s; plain += s; break;
        default: if (random() % 50 == 0) line = plain = s; break;
        }
        ASSERT_EQ(std::u16string(line), plain) << "step " << i;
    }
}

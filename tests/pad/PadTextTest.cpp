#include "pad/FakePadHost.h"
#include "pad/PadText.h"

#include <gtest/gtest.h>

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
    void Load(Lines lines, int nLine, int nCaret = 0, int nSelStart = -1, int nSelEnd = -1)
    {
        text.m_lines = std::move(lines);
        text.m_nLine = nLine;
        text.LoadLine();
        text.m_nCaret = nCaret;
        text.m_nSelStart = nSelStart;
        text.m_nSelEnd = nSelEnd;
        text.m_bSelection = nSelStart >= 0;
    }
    Lines Committed()
    {
        text.CommitLine();
        return text.m_lines;
    }
};
}

// Each key on a loaded line: the lines, line and caret after it, and whether
// it beeps instead (a beep redraws nothing; everything else redraws, and
// leaving a selection stops the stylus scrolling).
TEST_F(PadTextTest, EditingKeysJoinSplitMoveAndBeepAtTheEnds)
{
    using P = PadText;
    const struct {
        Lines lines;
        int nLine, nCaret, nSelStart, nSelEnd;
        void (PadText::*key)();
        Lines after;
        int nLineAfter, nCaretAfter;
        bool bBeep;
    } cases[] = {
        {{u"one", u"two", u"three"}, 2, 0, -1, -1, &P::Backspace, {u"one", u"twothree"}, 1, 3, false},
        {{u"ab", u"cd"}, 0, 2, -1, -1, &P::DeleteChar, {u"abcd"}, 0, 2, false},
        {{u"ab", u"cd"}, 1, 2, -1, -1, &P::DeleteChar, {u"ab", u"cd"}, 1, 2, true},
        {{u"ab", u"cd"}, 0, 0, -1, -1, &P::Backspace, {u"ab", u"cd"}, 0, 0, true},
        {{u"abcdef"}, 0, 3, -1, -1, &P::NewLine, {u"abc", u"def"}, 1, 0, false},
        {{u"abcdef"}, 0, 5, 1, 2, &P::NewLine, {u"a", u"def"}, 1, 0, false},
        {{u"abcdef"}, 0, 0, 1, 3, &P::Backspace, {u"aef"}, 0, 1, false},
        {{u"abcdef"}, 0, 0, 1, 3, &P::DeleteChar, {u"aef"}, 0, 1, false},
        {{u"abcdef"}, 0, 0, 2, 3, &P::CaretLeft, {u"abcdef"}, 0, 2, false},
        {{u"abcdef"}, 0, 0, 2, 3, &P::CaretRight, {u"abcdef"}, 0, 4, false},
        {{u"abcdef"}, 0, 0, 0, 6, &P::CaretRight, {u"abcdef"}, 0, 6, false},
        {{u"abcdef"}, 0, 0, -1, -1, &P::CaretLeft, {u"abcdef"}, 0, 0, true},
        {{u"abcdef"}, 0, 6, -1, -1, &P::CaretRight, {u"abcdef"}, 0, 6, true},
        {{u"abc", u"def"}, 1, 2, -1, -1, &P::PrevLine, {u"abc", u"def"}, 0, 0, false},
        {{u"abc", u"def"}, 0, 2, -1, -1, &P::PrevLine, {u"abc", u"def"}, 0, 2, true},
        {{u"abc", u"def"}, 0, 3, -1, -1, &P::NextLine, {u"abc", u"def"}, 1, 0, false},
        {{u"abc", u"def"}, 1, 1, -1, -1, &P::NextLine, {u"abc", u"def"}, 1, 1, true},
    };
    for (const auto &c : cases) {
        const int i = static_cast<int>(&c - cases);
        host = FakePadHost();
        Load(c.lines, c.nLine, c.nCaret, c.nSelStart, c.nSelEnd);
        (text.*c.key)();
        EXPECT_EQ(Committed(), c.after) << i;
        EXPECT_EQ(text.m_nLine, c.nLineAfter) << i;
        EXPECT_EQ(text.m_nCaret, c.nCaretAfter) << i;
        EXPECT_FALSE(text.m_bSelection) << i;
        EXPECT_EQ(host.m_nBeeps, c.bBeep ? 1 : 0) << i;
        EXPECT_EQ(host.m_nRedraws, c.bBeep ? 1 : 2) << i; // the first is the load's
        EXPECT_EQ(host.m_nStops, c.nSelStart >= 0 ? 1 : 0) << i;
    }
}

// What is typed stays with its line through moves, the list and Clear All.
TEST_F(PadTextTest, TypingTabsSelectionsLineMovesListAndClearAll)
{
    Load({u"a", u"b", u"c"}, 0);
    Type(u"x\t");
    text.m_nSelStart = 0;
    text.m_nSelEnd = 0;
    text.m_bSelection = true;
    Type(u"y");
    EXPECT_EQ(text.m_strLine, u"y\uE009a");
    text.NextLine();
    Type(u"z");
    text.PrevLine();
    text.ShowLineList();
    EXPECT_TRUE(host.m_bListWindow && text.m_bListShown);
    EXPECT_EQ(text.m_lines, (Lines{u"y\uE009a", u"zb", u"c"}));
    text.GoToLine(2);
    EXPECT_FALSE(host.m_bListWindow || text.m_bListShown);
    EXPECT_EQ(text.m_strLine, u"c");
    text.SelectLine();
    text.ClearAll();
    EXPECT_EQ(Committed(), (Lines{u""}));
    EXPECT_EQ(text.m_nLine + text.m_nCaret + text.m_nFirstCol, 0);
    EXPECT_FALSE(text.m_bSelection);
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

    // Any widths: the first column that fits, found as one column at a time would.
    host.m_nLength = 106;
    host.m_widths = {{u'i', 3}, {u'm', 17}, {u'w', 25}};
    const std::u16string line = u"mimiwwiimmmiwiiiwmimmmiwwwiimiiiimwmmmmiiiwiiimw";
    for (int c = 0; c <= static_cast<int>(line.size()); ++c) {
        for (int nFirst : {0, c / 3}) {
            text.m_strLine = line;
            text.m_nFirstCol = nFirst;
            int nExpected = nFirst;
            while (host.MeasureText(std::u16string_view(line).substr(nExpected, c - nExpected)) >= 100)
                ++nExpected;
            text.ScrollToShow(c);
            EXPECT_EQ(text.m_nFirstCol, nExpected) << "column " << c << " from " << nFirst;
        }
    }
}

// U+1F600 is the pair D83D DE00: no move, deletion, tap, selection or
// scroll may leave one half without the other.
TEST_F(PadTextTest, SurrogatePairsAreNeverCutInHalf)
{
    const std::u16string smile = u"\U0001F600", line = u"a" + smile + u"b" + smile;
    Load({line}, 0);
    std::vector<int> stops;
    for (auto move : {&PadText::CaretRight, &PadText::CaretLeft})
        for (int i = 0; i < 4; ++i)
            (text.*move)(), stops.push_back(text.m_nCaret);
    EXPECT_EQ(stops, (std::vector<int>{1, 3, 4, 6, 4, 3, 1, 0}));
    text.StylusDown(2);
    EXPECT_EQ(text.m_nCaret, 1);
    text.DeleteChar();
    text.CaretEnd(), text.Backspace();
    EXPECT_EQ(text.m_strLine, u"ab");

    Load({line}, 0);
    text.StylusDrag(2);
    EXPECT_EQ(text.SelectedText(), u"a" + smile);
    text.ExtendSelectionForward();
    text.ExtendSelectionForward();
    EXPECT_EQ(text.SelectedText(), line);
    text.m_nCaret = 6;
    text.StylusDrag(5);
    text.ExtendSelectionBack();
    text.ExtendSelectionBack();
    EXPECT_EQ(text.SelectedText(), smile + u"b" + smile);

    // A pair is 20 pixels; the first column shown is never its second half.
    Load({u""}, 0);
    for (int i = 0; i < 12; ++i) {
        Type(i % 3 ? smile : u"x");
        const std::u16string visible = text.m_strLine.substr(static_cast<size_t>(text.m_nFirstCol));
        EXPECT_FALSE(visible[0] >= 0xDC00 && visible[0] <= 0xDFFF) << i;
        EXPECT_LT(host.MeasureText(visible), 100);
    }
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

#include "pad/TypePadWnd.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {
using Lines = std::vector<std::u16string>;
const QString kCannotOpen = QStringLiteral("Cannot open the Clipboard");
const QString kCannotEmpty = QStringLiteral("Cannot empty the Clipboard");

struct TypePadClipboard : ::testing::Test {
    TestEnvironment environment;
    FakeClipboard &clipboard = environment.m_clipboard;
    CTypePadWnd pad;

    void Load(Lines lines, int nCaret, int nSelStart = -1, int nSelEnd = -1)
    {
        pad.m_text.m_lines = std::move(lines);
        pad.m_text.m_nLine = 0;
        pad.LoadLine();
        pad.m_text.m_nCaret = nCaret;
        pad.m_text.m_nSelStart = nSelStart;
        pad.m_text.m_nSelEnd = nSelEnd;
        pad.m_text.m_bSelection = nSelStart >= 0;
    }
    Lines Committed()
    {
        pad.CommitLine();
        return pad.m_text.m_lines;
    }
    void PasteText(const std::u16string &text)
    {
        clipboard.SetText(text);
        pad.Paste();
    }
    void TearDown() override
    {
        EXPECT_EQ(environment.m_waitCursor.Depth(), 0);
        EXPECT_EQ(clipboard.m_nOpens, clipboard.m_nCloses + environment.m_prompt.m_texts.count(kCannotOpen));
    }
};
}

TEST_F(TypePadClipboard, CopyAndCutTakeTheWholeTextOrTheShownSelection)
{
    Load({u"\u2026b", u"", u"c"}, 0, 0, 0);
    pad.CopySelection();
    EXPECT_EQ(clipboard.m_text, u"\u2026");
    pad.CopyText({});
    EXPECT_EQ(clipboard.m_text, std::u16string({u'\t', u'b', u'\r', u'\n', u'\r', u'\n', u'c'}));
    pad.CutSelection();
    EXPECT_EQ(clipboard.m_text, u"\u2026");
    EXPECT_EQ(Committed(), (Lines{u"b", u"", u"c"}));
    // The columns stay behind, but what is no longer shown is not cut.
    pad.CutSelection();
    EXPECT_EQ(Committed(), (Lines{u"b", u"", u"c"}));
    EXPECT_EQ(clipboard.m_text, u"b\r\n\r\nc");
    // With no selection Cut copies the whole text and takes nothing away.
    Load({u"ab", u"c"}, 1);
    pad.CutSelection();
    EXPECT_EQ(clipboard.m_text, u"ab\r\nc");
    EXPECT_EQ(Committed(), (Lines{u"ab", u"c"}));
    // An empty line selected holds no characters: the whole text goes.
    pad.ClearAll();
    pad.SelectLine();
    pad.CopySelection();
    EXPECT_TRUE(clipboard.m_bHasText);
    EXPECT_EQ(clipboard.m_text, u"");
}

TEST_F(TypePadClipboard, RefusalsShowTheirMessageAndKeepLineAndClipboard)
{
    Load({u"abcdef"}, 0, 1, 3);
    clipboard.SetText(u"before");
    clipboard.m_bRefuseOpen = true;
    pad.CutSelection();
    pad.Paste();
    clipboard.m_bRefuseOpen = false;
    clipboard.m_bRefuseEmpty = true;
    pad.CutSelection();
    pad.CopyText({});
    EXPECT_EQ(environment.m_prompt.m_texts, QStringList({kCannotOpen, kCannotOpen, kCannotEmpty, kCannotEmpty}));
    EXPECT_EQ(Committed(), (Lines{u"abcdef"}));
    EXPECT_TRUE(pad.m_text.m_bSelection);
    EXPECT_EQ(clipboard.m_text, u"before");
    EXPECT_FALSE(clipboard.m_bOpen);
    clipboard.m_bHasText = false;
    pad.Paste();
    EXPECT_EQ(Committed(), (Lines{u"abcdef"}));
}

TEST_F(TypePadClipboard, PasteMakesLinesAtTheBreaks)
{
    Load({u"XY"}, 1);
    PasteText(u"a\r\nb");
    EXPECT_EQ(Committed(), (Lines{u"Xa", u"bY"}));
    EXPECT_EQ(pad.m_text.m_nLine, 1);
    EXPECT_EQ(pad.m_text.m_nCaret, 1);
    Load({u"XY"}, 1);
    PasteText(u"\r\n");
    PasteText(u"p\tq\r\n");
    EXPECT_EQ(Committed(), (Lines{u"Xp\u2026qY"}));
    PasteText(u"a\nb\r\nc");
    EXPECT_EQ(Committed(), (Lines{u"Xp\u2026qa\nb", u"cY"}));
    pad.CopyText({});
    EXPECT_EQ(clipboard.m_text, u"Xp\tqa\nb\r\ncY");
}

TEST_F(TypePadClipboard, AnyClipboardTextPastesSafely)
{
    Load({u"XY"}, 1);
    // The clipboard's text ends at its first zero character.
    PasteText(std::u16string({u'a', u'\r', u'\xD800', u'\u2026', u'\0', u'\r', u'\n', u'z'}));
    EXPECT_EQ(Committed(), (Lines{std::u16string({u'X', u'a', u'\r', u'\xD800', u'\u2026', u'Y'})}));
    EXPECT_EQ(pad.m_text.m_nCaret, 5);
    std::u16string huge(300000, u'\xDC00');
    for (int i = 0; i < 100000; ++i)
        huge += i % 2 ? u"\r\n\t" : u"\n\r";
    pad.resize(26, 236);
    pad.show();
    PasteText(huge);
    EXPECT_EQ(pad.m_text.LineCount(), 50001);
    EXPECT_EQ(pad.m_text.m_strLine, u"\u2026Y");
    // One very long line scrolls straight to its end.
    PasteText(std::u16string(1000000, u'W'));
    EXPECT_EQ(pad.m_text.m_nCaret, 1000001);
    EXPECT_GT(pad.m_text.m_nFirstCol, 1000001 - pad.Length() / 2);
    EXPECT_EQ(pad.m_text.m_strVisible.back(), u'Y');
}

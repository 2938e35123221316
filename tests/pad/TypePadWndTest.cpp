#include "pad/TypePadWnd.h"
#include "platform/TextDraw.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

namespace {
using Lines = std::vector<std::u16string>;
const QColor kRed(255, 0, 0), kWhite(255, 255, 255);
const QString kCannotOpen = QStringLiteral("Cannot open the Clipboard");
const QString kCannotEmpty = QStringLiteral("Cannot empty the Clipboard");

// A pad in its place on the screen: 24 by 234 pixels inside its border.
struct Pad {
    TestEnvironment environment;
    FakeClipboard &clipboard = environment.m_clipboard;
    CTypePadWnd pad;
    PadText &text = pad.m_text;

    explicit Pad(bool bRightHanded, std::u16string_view typed = {})
    {
        text.m_bRightHanded = bRightHanded;
        pad.resize(26, 236);
        pad.show();
        for (char16_t ch : typed)
            pad.InsertChar(ch);
    }
    // Every way out of a clipboard command closes it and ends the wait cursor.
    ~Pad()
    {
        EXPECT_EQ(environment.m_waitCursor.Depth(), 0);
        EXPECT_EQ(clipboard.m_nOpens, clipboard.m_nCloses + environment.m_prompt.m_texts.count(kCannotOpen));
    }
    void Load(Lines lines, int nCaret, int nSelStart = -1, int nSelEnd = -1)
    {
        text.m_lines = std::move(lines);
        text.m_nLine = 0;
        pad.LoadLine();
        text.m_nCaret = nCaret;
        text.m_nSelStart = nSelStart;
        text.m_nSelEnd = nSelEnd;
        text.m_bSelection = nSelStart >= 0;
        pad.Redraw();
    }
    Lines Committed()
    {
        pad.CommitLine();
        return text.m_lines;
    }
    void Paste(const std::u16string &s)
    {
        clipboard.SetText(s);
        pad.Paste();
    }
    int L() const { return pad.Length(); }
    int T() const { return pad.Thickness(); }
    // The colour shown for landscape point (X, Y).
    QColor Shown(int X, int Y) const
    {
        const QImage &image = pad.PortraitImage();
        return text.m_bRightHanded ? image.pixelColor(Y, L() - 1 - X) : image.pixelColor(T() - 1 - Y, X);
    }
    // The widget point across the middle at landscape X.
    QPoint At(int X) const { return QPoint(1 + T() / 2, 1 + (text.m_bRightHanded ? L() - 1 - X : X)); }
    // Landscape X of the middle of visible character n.
    int Middle(int n) const
    {
        const std::u16string_view visible = text.m_strVisible;
        return 2 + pad.MeasureText(visible.substr(0, n)) + pad.MeasureText(visible.substr(n, 1)) / 2;
    }
};
}

TEST(TypePadWnd, RotationMapsEveryPixelForBothHands)
{
    // Rows of 21 bytes padded to 24, and rows of 12 and 24 bytes without
    // padding, where a pixel moved with a byte beyond it would reach past the
    // image (which the sanitizer build reports).
    for (const auto &[L, T] : {std::pair(11, 7), std::pair(8, 4)}) {
        QImage landscape(L, T, QImage::Format_RGB888), right(T, L, QImage::Format_RGB888);
        right.fill(Qt::white);
        QImage left = right;
        for (int y = 0; y < T; ++y)
            for (int x = 0; x < L; ++x)
                landscape.setPixel(x, y, qRgb(x * 20, y * 30, 77));
        CTypePadWnd::RotateToScreen(landscape, right, true);
        CTypePadWnd::RotateToScreen(landscape, left, false);
        for (int Y = 0; Y < T; ++Y) {
            for (int X = 0; X < L; ++X) {
                EXPECT_EQ(right.pixel(Y, L - 1 - X), landscape.pixel(X, Y)) << X << "," << Y;
                EXPECT_EQ(left.pixel(T - 1 - Y, X), landscape.pixel(X, Y)) << X << "," << Y;
            }
        }
    }
}

// Only the start of a long line is laid out; the strip must show what the
// whole rest of the line drawn from three pixels in would show, caret (two
// red columns before the character after it) and selection (a band in the
// selection colours, without caret) included, in the default colours and in
// others, turned for either hand and shown inside the black border.
TEST(TypePadWnd, ALongLineShowsAsTheWholeLineDrawn)
{
    std::u16string line;
    while (line.size() < 3000)
        line += u"Wide WWW mmm fil i\u0301\u0301 \U0001F600 tab\uE009mark\u2026 ";
    struct State { int nFirst, nCaret, nSelStart, nSelEnd; };
    for (bool bRightHanded : {true, false})
        for (const State &state : {State{0, 0, -1, -1}, State{101, 105, -1, -1}, State{7, 7, 9, 2500}}) {
            Pad p(bRightHanded);
            // Left-handed in green on black, selected blue on yellow.
            const QColor text = bRightHanded ? kWhite : Qt::green, selText = bRightHanded ? Qt::black : Qt::blue;
            const QColor back = Qt::black, selBack = bRightHanded ? kWhite : Qt::yellow;
            if (!bRightHanded)
                p.pad.SetColors(0x00FF00, 0xFF0000, 0x000000, 0x00FFFF);
            p.text.m_strLine = line;
            p.text.m_nFirstCol = state.nFirst;
            p.text.m_nCaret = state.nCaret;
            p.text.m_bSelection = state.nSelStart >= 0;
            p.text.m_nSelStart = state.nSelStart;
            p.text.m_nSelEnd = state.nSelEnd;
            p.pad.Redraw();
            // A stored tab shows as an ellipsis.
            const QString visible = QString::fromStdU16String(line.substr(size_t(state.nFirst)))
                                        .replace(QChar(PadText::m_chTab), QChar(u'\u2026'));
            const auto width = [&](const QString &s) { return p.pad.MeasureText(s.toStdU16String()); };
            QImage landscape(p.L(), p.T(), QImage::Format_RGB888);
            landscape.fill(back);
            QPainter painter(&landscape);
            painter.setFont(p.pad.Font().Font());
            painter.setPen(text);
            QRect rc(QPoint(3, 0), QPoint(p.L() - 4, p.T() - 1));
            DrawTextFlags(painter, rc, visible, 0x824);
            if (p.text.m_bSelection) {
                const int w1 = width(visible.left(state.nSelStart - state.nFirst)) + 3;
                const QString selected = visible.mid(state.nSelStart - state.nFirst, state.nSelEnd - state.nSelStart + 1);
                painter.fillRect(w1, 2, width(selected), p.T() - 4, selBack);
                painter.setPen(selText);
                QRect rcSelected(QPoint(w1, 0), QPoint(p.L() - 4, p.T() - 1));
                DrawTextFlags(painter, rcSelected, selected, 0x824);
            } else {
                painter.fillRect(width(visible.left(state.nCaret - state.nFirst)) + 2, 2, 2, p.T() - 4, kRed);
            }
            painter.end();
            QImage expected(p.T(), p.L(), QImage::Format_RGB888);
            CTypePadWnd::RotateToScreen(landscape, expected, bRightHanded);
            EXPECT_EQ(p.pad.PortraitImage(), expected) << "first " << state.nFirst << " right " << bRightHanded;
            const QImage shown = p.pad.grab().toImage();
            EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black));
            EXPECT_EQ(shown.copy(1, 1, 24, 234).convertToFormat(QImage::Format_RGB888), expected);
        }
}

TEST(TypePadWnd, StylusTapsAndDragsSelectThroughTheCharacterUnderIt)
{
    for (bool bRightHanded : {true, false}) {
        Pad p(bRightHanded, u"abcdefgh");
        p.pad.CaretHome();
        QTest::mousePress(&p.pad, Qt::LeftButton, {}, p.At(p.Middle(2)));
        EXPECT_EQ(p.text.m_nCaret, 2);
        QTest::mouseMove(&p.pad, p.At(p.Middle(2) + 1));
        EXPECT_FALSE(p.text.m_bSelection);
        QTest::mouseMove(&p.pad, p.At(p.Middle(5)));
        QTest::mouseRelease(&p.pad, Qt::LeftButton, {}, p.At(p.Middle(5)));
        EXPECT_EQ(p.text.SelectedText(), u"cdef");
        EXPECT_EQ(p.clipboard.m_selection, u"cdef") << "offered as the primary selection";
        EXPECT_EQ(p.text.m_nCaret, 2);
        EXPECT_EQ(p.Shown(p.Middle(3), 2), kWhite);
        // A tap ends the selection; past the text it puts the caret at the end.
        QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(p.L() - 10));
        EXPECT_FALSE(p.text.m_bSelection);
        EXPECT_EQ(p.text.m_nCaret, 8);
        QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(0));
        EXPECT_EQ(p.text.m_nCaret, 0);
        // The middle button pastes the primary selection where it is pressed.
        p.clipboard.m_selection = u"XY";
        QTest::mouseClick(&p.pad, Qt::MiddleButton, {}, p.At(p.Middle(3)));
        EXPECT_EQ(p.Committed(), (Lines{u"abcXYdefgh"}));
    }
    // A tap before the text of a scrolled line puts the caret at its first column.
    Pad p(true, u"Typing past the end of the strip moves the line by whole characters");
    ASSERT_GT(p.text.m_nFirstCol, 0);
    QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(0));
    EXPECT_EQ(p.text.m_nCaret, p.text.m_nFirstCol);
}

TEST(TypePadWnd, DraggingToTheEndsScrollsTheSelectionOnEachTick)
{
    Pad p(true, u"A line long enough to scroll the pad when the stylus reaches its ends");
    p.pad.CaretLeft();
    const int nFirst = p.text.m_nFirstCol;
    QTest::mousePress(&p.pad, Qt::LeftButton, {}, p.At(p.Middle(6)));
    QTest::mouseMove(&p.pad, p.At(1));
    EXPECT_FALSE(p.pad.IsTimerRunning(100)) << "no selection yet";
    QTest::mouseMove(&p.pad, p.At(p.Middle(4)));
    QTest::mouseMove(&p.pad, p.At(1));
    EXPECT_TRUE(p.pad.IsTimerRunning(100));
    p.pad.OnTimer(100);
    p.pad.OnTimer(100);
    EXPECT_EQ(p.text.m_nSelStart, nFirst + 2);
    EXPECT_EQ(p.text.m_nFirstCol, nFirst - 2);
    QTest::mouseMove(&p.pad, p.At(p.L() - 2));
    EXPECT_TRUE(p.pad.IsTimerRunning(200));
    EXPECT_FALSE(p.pad.IsTimerRunning(100));
    for (int i = 0; i < 200; ++i)
        p.pad.OnTimer(200);
    EXPECT_EQ(p.text.m_nSelEnd, p.text.Length() - 1);
    EXPECT_GT(p.text.m_nFirstCol, nFirst - 2);
    QTest::mouseRelease(&p.pad, Qt::LeftButton, {}, p.At(p.L() - 2));
    EXPECT_FALSE(p.pad.IsTimerRunning(200));
    EXPECT_TRUE(p.text.m_bSelection);
}

TEST(TypePadWnd, ClipboardCommandsTakeTheShownSelectionOrAllAndShowTheirRefusals)
{
    Pad p(true);
    p.Load({u"\uE009b", u"", u"c"}, 0, 0, 0);
    p.pad.CopySelection();
    EXPECT_EQ(p.clipboard.m_text, u"\t");
    p.pad.CopyText({});
    EXPECT_EQ(p.clipboard.m_text, std::u16string({u'\t', u'b', u'\r', u'\n', u'\r', u'\n', u'c'}));
    p.pad.CutSelection();
    EXPECT_EQ(p.clipboard.m_text, u"\t");
    EXPECT_EQ(p.Committed(), (Lines{u"b", u"", u"c"}));
    // The columns stay behind, but what is no longer shown is not cut: with
    // no selection Cut copies the whole text and takes nothing away.
    p.pad.CutSelection();
    EXPECT_EQ(p.Committed(), (Lines{u"b", u"", u"c"}));
    EXPECT_EQ(p.clipboard.m_text, u"b\r\n\r\nc");
    // An empty line selected holds no characters: the whole text goes.
    p.pad.ClearAll();
    p.pad.SelectLine();
    p.pad.CopySelection();
    EXPECT_TRUE(p.clipboard.m_bHasText);
    EXPECT_EQ(p.clipboard.m_text, u"");

    // Refusals show their message and keep line and clipboard.
    p.Load({u"abcdef"}, 0, 1, 3);
    p.clipboard.SetText(u"before");
    p.clipboard.m_bRefuseOpen = true;
    p.pad.CutSelection();
    p.pad.Paste();
    p.clipboard.m_bRefuseOpen = false;
    p.clipboard.m_bRefuseEmpty = true;
    p.pad.CutSelection();
    p.pad.CopyText({});
    EXPECT_EQ(p.environment.m_prompt.m_texts, QStringList({kCannotOpen, kCannotOpen, kCannotEmpty, kCannotEmpty}));
    EXPECT_EQ(p.Committed(), (Lines{u"abcdef"}));
    EXPECT_TRUE(p.text.m_bSelection);
    EXPECT_EQ(p.clipboard.m_text, u"before");
    EXPECT_FALSE(p.clipboard.m_bOpen);
    p.clipboard.m_bHasText = false;
    p.pad.Paste();
    EXPECT_EQ(p.Committed(), (Lines{u"abcdef"}));

    // The clipboard's text ends at its first zero character; anything before
    // it, however broken or large, goes in as it is (how the breaks make
    // lines is the flat text's own, fuzzed with its seeds).
    p.Load({u"XY"}, 1);
    p.Paste(std::u16string({u'a', u'\t', u'\xD800', u'\r', u'\r', u'\n', u'b', u'\0', u'\r', u'\n', u'z'}));
    EXPECT_EQ(p.Committed(), (Lines{u"Xa\uE009\xD800\r", u"bY"}));
    EXPECT_EQ(std::pair(p.text.m_nLine, p.text.m_nCaret), std::pair(1, 1));
    // A text that ends with a line break ends its line: what followed the
    // caret starts the next one, and the break comes back out; an ellipsis
    // stays one, a tab a tab.
    p.Load({u"XY"}, 1);
    p.Paste(u"\u2026\t\r\n");
    EXPECT_EQ(p.text.GetAllText(), u"X\u2026\t\r\nY");
    std::u16string huge(300000, u'\xDC00');
    for (int i = 0; i < 100000; ++i)
        huge += i % 2 ? u"\r\n\t" : u"\n\r";
    p.Paste(huge);
    EXPECT_EQ(p.text.LineCount(), 50002);
    EXPECT_EQ(p.text.m_strLine, u"\uE009Y");
    // One very long line scrolls straight to its end.
    p.Paste(std::u16string(1000000, u'W'));
    EXPECT_EQ(p.text.m_nCaret, 1000001);
    EXPECT_GT(p.text.m_nFirstCol, 1000001 - p.L() / 2);
    EXPECT_EQ(p.text.m_strVisible.back(), u'Y');
}

#include "pad/TypePadWnd.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include "platform/TextDraw.h"

#include <QPainter>
#include <QTest>

namespace {
const QColor kRed(255, 0, 0), kWhite(255, 255, 255);

// A pad in its place on the screen: 24 by 234 pixels inside its border.
struct Pad {
    TestEnvironment environment;
    CTypePadWnd pad;
    const PadText &text = pad.m_text;

    explicit Pad(bool bRightHanded, std::u16string_view typed = {})
    {
        pad.m_text.m_bRightHanded = bRightHanded;
        pad.resize(26, 236);
        pad.show();
        for (char16_t ch : typed)
            pad.InsertChar(ch);
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
    QRect Box(const QColor &color, int *pCount = nullptr) const
    {
        QRect box;
        for (int y = 0; y < L(); ++y)
            for (int x = 0; x < T(); ++x)
                if (pad.PortraitImage().pixelColor(x, y) == color) {
                    box |= QRect(x, y, 1, 1);
                    if (pCount)
                        ++*pCount;
                }
        return box;
    }
    int Count(const QColor &color) const
    {
        int nCount = 0;
        Box(color, &nCount);
        return nCount;
    }
};
}

TEST(TypePadWnd, RotationMapsEveryPixelForBothHands)
{
    // Rows of 21 bytes padded to 24, and rows of 12 and 24 bytes without
    // padding, where a pixel moved with a byte beyond it would reach past the
    // image (which the sanitizer build reports).
    for (const auto &[L, T] : {std::pair(11, 7), std::pair(8, 4)}) {
        QImage landscape(L, T, QImage::Format_RGB888);
        for (int y = 0; y < T; ++y)
            for (int x = 0; x < L; ++x)
                landscape.setPixel(x, y, qRgb(x * 20, y * 30, 77));
        QImage right(T, L, QImage::Format_RGB888), left(T, L, QImage::Format_RGB888);
        right.fill(Qt::white);
        left.fill(Qt::white);
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

TEST(TypePadWnd, PaintShowsThePortraitImageInsideTheBorder)
{
    Pad p(true, u"Wq");
    const QImage shown = p.pad.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shown.copy(1, 1, 24, 234).convertToFormat(QImage::Format_RGB888), p.pad.PortraitImage());
}

TEST(TypePadWnd, TextStartsThreePixelsFromItsEndAndReadsAwayFromIt)
{
    Pad right(true, u"I"), left(false, u"I");
    const QRect rightOne = right.Box(kWhite), leftOne = left.Box(kWhite);
    EXPECT_LE(rightOne.bottom(), 233 - 3); // bottom end, reading upwards
    EXPECT_GE(rightOne.bottom(), 233 - 6);
    EXPECT_GE(leftOne.top(), 3); // top end, reading downwards
    EXPECT_LE(leftOne.top(), 6);
    EXPECT_NEAR(rightOne.center().x(), 12, 3);
    right.pad.InsertText(u"IIIIIII");
    left.pad.InsertText(u"IIIIIII");
    EXPECT_EQ(right.Box(kWhite).bottom(), rightOne.bottom());
    EXPECT_LT(right.Box(kWhite).top(), rightOne.top() - 20);
    EXPECT_EQ(left.Box(kWhite).top(), leftOne.top());
    EXPECT_GT(left.Box(kWhite).bottom(), leftOne.bottom() + 20);
}

TEST(TypePadWnd, CaretIsTwoRedColumnsAfterTheTextBeforeIt)
{
    for (bool bRightHanded : {true, false}) {
        Pad p(bRightHanded, u"ab");
        p.pad.CaretLeft();
        const int X = p.pad.MeasureText(u"a") + 3;
        for (auto [dX, Y, bRed] : {std::tuple(0, 12, true), {-1, 12, true}, {-2, 12, false}, {1, 12, false},
                                   {0, 1, false}, {0, 2, true}, {0, 21, true}, {0, 22, false}})
            EXPECT_EQ(p.Shown(X + dX, Y) == kRed, bRed) << X + dX << "," << Y;
    }
}

TEST(TypePadWnd, SelectionIsABandInTheSelectionColoursWithoutCaret)
{
    Pad p(true);
    const QColor blue(0, 0, 255), yellow(255, 255, 0);
    p.pad.SetColors(0x00FF00, 0xFF0000, 0x000000, 0x00FFFF);
    p.pad.InsertText(u"abcdef");
    p.pad.m_text.m_nSelStart = 1;
    p.pad.m_text.m_nSelEnd = 3;
    p.pad.m_text.m_bSelection = true;
    p.pad.Redraw();
    const int start = p.pad.MeasureText(u"a") + 3, end = start + p.pad.MeasureText(u"bcd");
    // Yellow exactly on the band, blue text inside it, green text outside.
    EXPECT_EQ(p.Box(yellow) | p.Box(blue), QRect(2, 234 - end, 20, end - start));
    EXPECT_EQ(p.Count(yellow) + p.Count(blue), 20 * (end - start));
    EXPECT_GT(p.Count(blue), 10);
    EXPECT_TRUE(p.Box(QColor(0, 255, 0)).isValid());
    EXPECT_FALSE(p.Box(kRed).isValid());
}

TEST(TypePadWnd, AScrolledLineShowsItsTextFromTheFirstColumn)
{
    Pad p(true, u"Typing past the end of the strip moves the line by whole characters");
    ASSERT_GT(p.text.m_nFirstCol, 0);
    Pad tail(true, std::u16string_view(p.text.m_strLine).substr(p.text.m_nFirstCol));
    EXPECT_EQ(tail.pad.PortraitImage(), p.pad.PortraitImage());
    // A tap before the text puts the caret at the first visible column.
    QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(0));
    EXPECT_EQ(p.text.m_nCaret, p.text.m_nFirstCol);
}

TEST(TypePadWnd, StylusDragSelectsThroughTheCharacterUnderIt)
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
        EXPECT_EQ(p.text.m_nCaret, 2);
        EXPECT_EQ(p.Shown(p.Middle(3), 2), kWhite);
        // A tap ends the selection; past the text it puts the caret at the end.
        QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(p.L() - 10));
        EXPECT_FALSE(p.text.m_bSelection);
        EXPECT_EQ(p.text.m_nCaret, 8);
        QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(0));
        EXPECT_EQ(p.text.m_nCaret, 0);
    }
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

// Only the start of a long line is laid out; the strip must show what the
// whole rest of the line drawn would show, caret and selection included.
TEST(TypePadWnd, ALongLineShowsAsTheWholeLineDrawn)
{
    std::u16string line;
    while (line.size() < 3000)
        line += u"Wide WWW mmm fil i\u0301\u0301 \U0001F600 tab\u2026mark ";
    struct State { int nFirst, nCaret, nSelStart, nSelEnd; };
    for (bool bRightHanded : {true, false})
        for (const State &state : {State{0, 0, -1, -1}, State{101, 105, -1, -1}, State{7, 7, 9, 2500}}) {
            Pad p(bRightHanded);
            PadText &text = p.pad.m_text;
            text.m_strLine = line;
            text.m_nFirstCol = state.nFirst;
            text.m_nCaret = state.nCaret;
            text.m_bSelection = state.nSelStart >= 0;
            text.m_nSelStart = state.nSelStart;
            text.m_nSelEnd = state.nSelEnd;
            p.pad.Redraw();
            const QString visible = QString::fromStdU16String(line.substr(size_t(state.nFirst)));
            QImage landscape(p.L(), p.T(), QImage::Format_RGB888);
            landscape.fill(Qt::black);
            QPainter painter(&landscape);
            painter.setFont(p.pad.Font().Font());
            painter.setPen(Qt::white);
            QRect rc(QPoint(3, 0), QPoint(p.L() - 4, p.T() - 1));
            DrawTextFlags(painter, rc, visible, 0x824);
            const auto width = [&](int n) { return p.pad.MeasureText(visible.left(n).toStdU16String()); };
            if (text.m_bSelection) {
                const int w1 = width(state.nSelStart - state.nFirst);
                const QString selected = visible.mid(state.nSelStart - state.nFirst, state.nSelEnd - state.nSelStart + 1);
                painter.fillRect(w1 + 3, 2, p.pad.MeasureText(selected.toStdU16String()), p.T() - 4, Qt::white);
                painter.setPen(Qt::black);
                QRect rcSelected(QPoint(w1 + 3, 0), QPoint(p.L() - 4, p.T() - 1));
                DrawTextFlags(painter, rcSelected, selected, 0x824);
            } else {
                painter.fillRect(width(state.nCaret - state.nFirst) + 2, 2, 2, p.T() - 4, kRed);
            }
            painter.end();
            QImage expected(p.T(), p.L(), QImage::Format_RGB888);
            CTypePadWnd::RotateToScreen(landscape, expected, bRightHanded);
            EXPECT_EQ(p.pad.PortraitImage(), expected) << "first " << state.nFirst << " right " << bRightHanded;
        }
}

#include "pad/TypePadWnd.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

namespace {
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

struct Pad {
    TestEnvironment environment;
    CTypePadWnd pad;

    explicit Pad(bool bRightHanded)
    {
        pad.m_text.m_bRightHanded = bRightHanded;
        // The pad's place on the screen: 24 by 234 inside its border.
        pad.resize(26, 236);
        pad.show();
    }
    int L() const { return pad.Length(); }
    int T() const { return pad.Thickness(); }
    // The colour shown for landscape point (X, Y).
    QColor Shown(int X, int Y) const
    {
        const QImage &image = pad.PortraitImage();
        return pad.m_text.m_bRightHanded ? image.pixelColor(Y, L() - 1 - X) : image.pixelColor(T() - 1 - Y, X);
    }
    // Widget point for landscape point (X, across the middle).
    QPoint At(int X) const
    {
        const QPoint client = pad.m_text.m_bRightHanded ? QPoint(T() / 2, L() - 1 - X) : QPoint(T() / 2, X);
        return client + QPoint(1, 1);
    }
    void Type(std::u16string_view text)
    {
        for (char16_t ch : text)
            pad.InsertChar(ch);
    }
    // Landscape X of the middle of character n of the visible text.
    int Middle(int n) const
    {
        const std::u16string_view visible = pad.m_text.m_strVisible;
        return 2 + pad.MeasureText(visible.substr(0, n)) + pad.MeasureText(visible.substr(n, 1)) / 2;
    }
};

// Bounding box of the pixels of one colour.
QRect Box(const QImage &image, const QColor &color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}
}

TEST(TypePadWnd, RotationMapsEveryPixelForBothHands)
{
    const int L = 11;
    const int T = 7; // 21 bytes a row, padded to 24
    QImage landscape(L, T, QImage::Format_RGB888);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < L; ++x)
            landscape.setPixel(x, y, qRgb(x * 20, y * 30, 77));
    QImage right(T, L, QImage::Format_RGB888);
    QImage left(T, L, QImage::Format_RGB888);
    CTypePadWnd::RotateToScreen(landscape, right, true);
    CTypePadWnd::RotateToScreen(landscape, left, false);
    for (int Y = 0; Y < T; ++Y) {
        for (int X = 0; X < L; ++X) {
            EXPECT_EQ(right.pixel(Y, L - 1 - X), landscape.pixel(X, Y)) << X << "," << Y;
            EXPECT_EQ(left.pixel(T - 1 - Y, X), landscape.pixel(X, Y)) << X << "," << Y;
        }
    }
}

TEST(TypePadWnd, PaintShowsThePortraitImageInsideTheBorder)
{
    Pad p(true);
    p.Type(u"Wq");
    EXPECT_EQ(p.L(), 234);
    EXPECT_EQ(p.T(), 24);
    EXPECT_EQ(p.pad.PortraitImage().format(), QImage::Format_RGB888);
    const QImage shown = p.pad.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shown.copy(1, 1, p.T(), p.L()).convertToFormat(QImage::Format_RGB888), p.pad.PortraitImage());
}

TEST(TypePadWnd, TextStartsThreePixelsFromTheBottomAndReadsUpwardsWhenRightHanded)
{
    Pad p(true);
    p.Type(u"I");
    const QRect one = Box(p.pad.PortraitImage(), kWhite);
    ASSERT_TRUE(one.isValid());
    EXPECT_LE(one.bottom(), p.L() - 1 - 3);
    EXPECT_GE(one.bottom(), p.L() - 1 - 6);
    EXPECT_NEAR(one.center().x(), p.T() / 2, 3);
    p.Type(u"IIIIIII");
    const QRect eight = Box(p.pad.PortraitImage(), kWhite);
    EXPECT_EQ(eight.bottom(), one.bottom());
    EXPECT_LT(eight.top(), one.top() - 20);
}

TEST(TypePadWnd, TextStartsThreePixelsFromTheTopAndReadsDownwardsWhenLeftHanded)
{
    Pad p(false);
    p.Type(u"I");
    const QRect one = Box(p.pad.PortraitImage(), kWhite);
    ASSERT_TRUE(one.isValid());
    EXPECT_GE(one.top(), 3);
    EXPECT_LE(one.top(), 6);
    EXPECT_NEAR(one.center().x(), p.T() / 2, 3);
    p.Type(u"IIIIIII");
    const QRect eight = Box(p.pad.PortraitImage(), kWhite);
    EXPECT_EQ(eight.top(), one.top());
    EXPECT_GT(eight.bottom(), one.bottom() + 20);
}

TEST(TypePadWnd, CaretIsTwoRedColumnsAfterTheTextBeforeIt)
{
    for (bool bRightHanded : {true, false}) {
        Pad p(bRightHanded);
        p.Type(u"ab");
        p.pad.CaretLeft();
        const int X = p.pad.MeasureText(u"a") + 3;
        const int middle = p.T() / 2;
        EXPECT_EQ(p.Shown(X, middle), kRed);
        EXPECT_EQ(p.Shown(X - 1, middle), kRed);
        EXPECT_NE(p.Shown(X - 2, middle), kRed);
        EXPECT_NE(p.Shown(X + 1, middle), kRed);
        EXPECT_NE(p.Shown(X, 1), kRed);
        EXPECT_EQ(p.Shown(X, 2), kRed);
        EXPECT_EQ(p.Shown(X, p.T() - 3), kRed);
        EXPECT_NE(p.Shown(X, p.T() - 2), kRed);
    }
}

TEST(TypePadWnd, SelectionIsABandInTheSelectionColoursWithoutCaret)
{
    Pad p(true);
    const QColor green(0, 255, 0), blue(0, 0, 255), yellow(255, 255, 0);
    p.pad.SetColors(0x00FF00, 0xFF0000, 0x000000, 0x00FFFF);
    p.Type(u"abcdef");
    p.pad.m_text.m_nSelStart = 1;
    p.pad.m_text.m_nSelEnd = 3;
    p.pad.m_text.m_bSelection = true;
    p.pad.Redraw();
    const int start = p.pad.MeasureText(u"a") + 3;
    const int end = start + p.pad.MeasureText(u"bcd");
    int nSelText = 0;
    for (int X = start; X < end; ++X) {
        for (int Y = 2; Y <= p.T() - 3; ++Y) {
            const QColor color = p.Shown(X, Y);
            EXPECT_TRUE(color == yellow || color == blue) << X << "," << Y;
            nSelText += color == blue;
        }
        EXPECT_NE(p.Shown(X, 1), yellow);
        EXPECT_NE(p.Shown(X, p.T() - 2), yellow);
    }
    EXPECT_GT(nSelText, 10);
    for (int Y = 0; Y < p.T(); ++Y) {
        EXPECT_NE(p.Shown(start - 1, Y), yellow);
        EXPECT_NE(p.Shown(end, Y), yellow);
    }
    EXPECT_FALSE(Box(p.pad.PortraitImage(), green).isEmpty());
    EXPECT_TRUE(Box(p.pad.PortraitImage(), kRed).isEmpty());
}

TEST(TypePadWnd, AScrolledLineShowsItsTextFromTheFirstColumn)
{
    Pad p(true);
    p.Type(u"Typing past the end of the strip moves the line by whole characters");
    const PadText &text = p.pad.m_text;
    const std::u16string_view line = text.m_strLine;
    ASSERT_GT(text.m_nFirstCol, 0);
    EXPECT_LT(p.pad.MeasureText(line.substr(text.m_nFirstCol)), p.L() - 6);
    EXPECT_GE(p.pad.MeasureText(line.substr(text.m_nFirstCol - 1)), p.L() - 6);

    Pad tail(true);
    tail.Type(line.substr(text.m_nFirstCol));
    EXPECT_EQ(tail.pad.m_text.m_nFirstCol, 0);
    EXPECT_EQ(tail.pad.PortraitImage(), p.pad.PortraitImage());
}

TEST(TypePadWnd, StylusDragSelectsThroughTheCharacterUnderIt)
{
    for (bool bRightHanded : {true, false}) {
        Pad p(bRightHanded);
        p.Type(u"abcdefgh");
        p.pad.CaretHome();
        QTest::mousePress(&p.pad, Qt::LeftButton, {}, p.At(p.Middle(2)));
        EXPECT_EQ(p.pad.m_text.m_nCaret, 2);
        QTest::mouseMove(&p.pad, p.At(p.Middle(2) + 1));
        EXPECT_FALSE(p.pad.m_text.m_bSelection);
        QTest::mouseMove(&p.pad, p.At(p.Middle(5)));
        QTest::mouseRelease(&p.pad, Qt::LeftButton, {}, p.At(p.Middle(5)));
        EXPECT_FALSE(p.pad.m_bPenDown);
        EXPECT_TRUE(p.pad.m_text.m_bSelection);
        EXPECT_EQ(p.pad.m_text.SelectedText(), u"cdef");
        EXPECT_EQ(p.pad.m_text.m_nCaret, 2);
        EXPECT_EQ(p.Shown(p.Middle(3), 2), kWhite);

        // A tap ends the selection; past the text it puts the caret at the end.
        QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(p.L() - 10));
        EXPECT_FALSE(p.pad.m_text.m_bSelection);
        EXPECT_EQ(p.pad.m_text.m_nCaret, 8);
        QTest::mouseClick(&p.pad, Qt::LeftButton, {}, p.At(0));
        EXPECT_EQ(p.pad.m_text.m_nCaret, 0);
    }
}

TEST(TypePadWnd, DraggingToTheEndsScrollsTheSelectionOnEachTick)
{
    Pad p(true);
    p.Type(u"A line long enough to scroll the pad when the stylus reaches its ends");
    p.pad.CaretLeft();
    const int nFirst = p.pad.m_text.m_nFirstCol;
    ASSERT_GT(nFirst, 2);
    QTest::mousePress(&p.pad, Qt::LeftButton, {}, p.At(p.Middle(6)));
    QTest::mouseMove(&p.pad, p.At(1));
    EXPECT_FALSE(p.pad.IsTimerRunning(100)) << "no selection yet";
    QTest::mouseMove(&p.pad, p.At(p.Middle(4)));
    EXPECT_EQ(p.pad.m_text.m_nSelStart, nFirst + 4);
    QTest::mouseMove(&p.pad, p.At(1));
    EXPECT_TRUE(p.pad.IsTimerRunning(100));
    p.pad.OnTimer(100);
    p.pad.OnTimer(100);
    EXPECT_EQ(p.pad.m_text.m_nSelStart, nFirst + 2);
    EXPECT_EQ(p.pad.m_text.m_nFirstCol, nFirst - 2);
    EXPECT_EQ(p.pad.m_text.m_nSelEnd, nFirst + 5);

    QTest::mouseMove(&p.pad, p.At(p.L() - 2));
    EXPECT_TRUE(p.pad.IsTimerRunning(200));
    EXPECT_FALSE(p.pad.IsTimerRunning(100));
    const int nEnd = p.pad.m_text.Length() - 1;
    for (int i = 0; i < 200; ++i)
        p.pad.OnTimer(200);
    EXPECT_EQ(p.pad.m_text.m_nSelEnd, nEnd);
    EXPECT_GT(p.pad.m_text.m_nFirstCol, nFirst - 2);
    QTest::mouseRelease(&p.pad, Qt::LeftButton, {}, p.At(p.L() - 2));
    EXPECT_FALSE(p.pad.IsTimerRunning(200));
    EXPECT_TRUE(p.pad.m_text.m_bSelection);
}

#include "pad/LineListWnd.h"

#include "platform/PointFont.h"
#include "pad/FakePadHost.h"
#include "pad/PadText.h"
#include "platform/TextDraw.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <tuple>

namespace {
using Lines = std::vector<std::u16string>;
const QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);
const QRgb kBand = qRgb(0x98, 0x98, 0x98);
// Inside the one-pixel border: along the text the list's height less the
// border and the scroll bar.
constexpr int kLength = 320 - 2 - 12;

// Shows and hides the list as the pad window does.
struct ListPadHost : FakePadHost {
    void ShowLineListWindow() override
    {
        m_pList->Rebuild();
        m_pList->raise();
        m_pList->show();
    }
    void HideLineListWindow() override { m_pList->hide(); }
    CLineListWnd *m_pList = nullptr;
};

Lines Numbered(int nCount)
{
    Lines lines;
    for (int i = 0; i < nCount; ++i)
        lines.push_back(u"line " + std::u16string(1, char16_t(u'a' + i % 26)));
    return lines;
}

struct LineListTest : ::testing::Test {
    ListPadHost host;
    PadText pad{host};
    PointFont font;
    QWidget screen;
    std::unique_ptr<CLineListWnd> list;

    LineListTest()
    {
        SetFont(12);
        screen.resize(240, 320);
        list = std::make_unique<CLineListWnd>(&pad, &font, &screen);
        host.m_pList = list.get();
        screen.show();
    }
    void SetFont(int nPoints)
    {
        font.Delete();
        MakePointFont(font, QStringLiteral("Tahoma"), nPoints, false, false, false, false, 0, 0);
    }
    // Places the list as the keyboard window does and opens it on the lines.
    void Open(Lines lines, bool bRightHanded)
    {
        pad.m_bRightHanded = bRightHanded;
        list->setGeometry(bRightHanded ? QRect(28, 0, 212, 320) : QRect(0, 0, 211, 320));
        list->PlaceScrollBar();
        pad.m_lines = std::move(lines);
        pad.m_nLine = 0;
        pad.LoadLine();
        pad.ShowLineList();
    }
    int Unit() const { return QFontMetrics(font.Font()).height(); }
    // Across the lines, inside the border.
    int Thickness() const { return list->width() - 2; }
    // Where the landscape point (X along the text, Y across the lines) shows:
    // reading upwards below the bar right-handed, downwards above it left-handed.
    QPoint OnScreen(int X, int Y) const
    {
        return pad.m_bRightHanded ? QPoint(1 + Y, 1 + 12 + kLength - 1 - X) : QPoint(list->width() - 2 - Y, 1 + X);
    }
    QImage Screen() const { return list->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    int Mismatches(const QImage &landscape) const
    {
        const QImage shown = Screen();
        int nBad = 0;
        for (int Y = 0; Y < landscape.height(); ++Y)
            for (int X = 0; X < landscape.width(); ++X)
                nBad += shown.pixel(OnScreen(X, Y)) != landscape.pixel(X, Y);
        return nBad;
    }
    // Dark pixels of the screen within a landscape rectangle.
    int Ink(const QImage &shown, int nX0, int nX1, int nY0, int nY1) const
    {
        int nInk = 0;
        for (int X = nX0; X < nX1; ++X)
            for (int Y = nY0; Y < nY1; ++Y)
                nInk += qGray(shown.pixel(OnScreen(X, Y))) < 64;
        return nInk;
    }
    QImage BlankLandscape() const
    {
        QImage image(kLength, Thickness(), QImage::Format_RGB32);
        image.fill(kWhite);
        return image;
    }
    void Tap(int64_t nAcross)
    {
        QTest::mouseClick(list.get(), Qt::LeftButton, {}, OnScreen(kLength / 2, int(nAcross)));
    }
};
} // namespace

TEST_F(LineListTest, EverySecondLineIsBandedAndAnEmptyLineGetsOneUnit)
{
    for (bool bRightHanded : {true, false}) {
        Open({u"zero", u"", u"two", u"three"}, bRightHanded);
        const QImage shown = Screen();
        const int u = Unit();
        const int X = kLength - 10; // beyond the ink of every line
        const std::pair<int, QRgb> across[] = {{u - 1, kWhite},     {u, kBand},      {2 * u - 1, kBand},
                                               {2 * u, kWhite},     {3 * u, kBand},  {4 * u - 1, kBand},
                                               {4 * u, kWhite}};
        for (const auto &[Y, colour] : across)
            EXPECT_EQ(shown.pixel(OnScreen(X, Y)), colour) << "across " << Y << " right-handed " << bRightHanded;
        EXPECT_GT(Ink(shown, 3, 60, 3 * u, 4 * u), 20) << "the banded line's text";
    }
}

TEST_F(LineListTest, TapOpensTheLineUnderItWithTheCaretAtZeroAndHidesTheList)
{
    const Lines lines = {u"zero", u"one", u"two", u"three"};
    const int u = Unit();
    // Lines 1 and 2 by their middles, line 1 by the first and last pixels of
    // its band, and nothing beyond the last line.
    const std::pair<int, int> taps[] = {{u + u / 2, 1}, {2 * u + u / 2, 2}, {u, 1}, {2 * u - 1, 1}, {4 * u + 2, -1}};
    for (bool bRightHanded : {true, false}) {
        for (const auto &[nAcross, nLine] : taps) {
            Open(lines, bRightHanded);
            pad.m_nCaret = 3;
            Tap(nAcross);
            EXPECT_EQ(pad.m_nLine, std::max(nLine, 0)) << "tap at " << nAcross;
            EXPECT_EQ(pad.m_strLine, lines[size_t(std::max(nLine, 0))]);
            EXPECT_EQ(pad.m_nCaret, nLine < 0 ? 3 : 0);
            EXPECT_EQ(list->isVisible(), nLine < 0);
            EXPECT_EQ(pad.m_bListShown, nLine < 0);
        }
    }
}

// The border is drawn black and takes no taps; the first pixel inside it on
// every side belongs to the list.
TEST_F(LineListTest, TheBorderIsBlackAndTapsOnItChooseNothing)
{
    for (bool bRightHanded : {true, false}) {
        Open(Numbered(40), bRightHanded);
        const QImage shown = Screen();
        const int w = list->width();
        const int h = list->height();
        for (const QPoint &border : {QPoint(0, 160), QPoint(w - 1, 160), QPoint(100, 0), QPoint(100, h - 1)})
            EXPECT_EQ(shown.pixel(border), qRgb(0, 0, 0)) << border.x() << "," << border.y();
        const int nFar = (Thickness() - 1) / Unit();
        // Reading start and end across the lines, and the end of the text
        // away from the scroll bar; -1 is no choice.
        const int nImageSide = bRightHanded ? h - 1 : 0;
        const int nInside = bRightHanded ? h - 2 : 1;
        const std::tuple<QPoint, int> taps[] = {
            {QPoint(bRightHanded ? 0 : w - 1, 160), -1}, {QPoint(bRightHanded ? 1 : w - 2, 160), 0},
            {QPoint(bRightHanded ? w - 1 : 0, 160), -1}, {QPoint(bRightHanded ? w - 2 : 1, 160), nFar},
            {QPoint(1, nImageSide), -1},                 {QPoint(bRightHanded ? 1 : w - 2, nInside), 0}};
        for (const auto &[point, nLine] : taps) {
            Open(Numbered(40), bRightHanded);
            QTest::mouseClick(list.get(), Qt::LeftButton, {}, point);
            EXPECT_EQ(pad.m_nLine, std::max(nLine, 0)) << point.x() << "," << point.y() << " right " << bRightHanded;
            EXPECT_EQ(list->isVisible(), nLine < 0);
        }
    }
}

TEST_F(LineListTest, LinesStartingWithByteOrderMarkCharactersAreShownAsTheyAre)
{
    Open({u"\uFFFEab", u"\uFEFFcd"}, true);
    ASSERT_EQ(list->Lines().size(), 2u);
    EXPECT_EQ(list->Lines()[0], QString(QChar(0xFFFE)) + QStringLiteral("ab"));
    EXPECT_EQ(list->Lines()[1], QString(QChar(0xFEFF)) + QStringLiteral("cd"));
}

TEST_F(LineListTest, TabsShowExpandedToTheirStop)
{
    Open({u"a\u2026b"}, true);
    const QFontMetrics metrics(font.Font());
    const int nA = 3 + metrics.horizontalAdvance(QLatin1Char('a'));
    const int nStop = 3 + 8 * metrics.averageCharWidth();
    const QImage shown = Screen();
    EXPECT_GT(Ink(shown, 3, nA, 0, Unit()), 0);
    EXPECT_EQ(Ink(shown, nA + 1, nStop, 0, Unit()), 0) << "an ellipsis would show here";
    EXPECT_GT(Ink(shown, nStop, nStop + metrics.horizontalAdvance(QLatin1Char('b')), 0, Unit()), 0);
}

TEST_F(LineListTest, ScrollBarRunsFromTheFirstLineToTheLastInBothDirections)
{
    for (bool bRightHanded : {true, false}) {
        Open(Numbered(40), bRightHanded);
        QScrollBar *pBar = list->ScrollBar();
        const int nPage = Thickness() / Unit();
        const int nMax = 40 - nPage + 1;
        EXPECT_EQ(list->Page(), nPage);
        EXPECT_TRUE(pBar->isEnabled());
        EXPECT_EQ(pBar->minimum(), 0);
        EXPECT_EQ(pBar->maximum(), nMax);
        EXPECT_EQ(pBar->value(), bRightHanded ? 0 : nMax);
        EXPECT_EQ(pBar->geometry(), bRightHanded ? QRect(1, 1, 210, 12) : QRect(1, 307, 209, 12));
        // Towards the later lines: up from 0 right-handed, down from the
        // maximum left-handed. Jumps to the ends are not scroll steps.
        using Slider = QAbstractSlider;
        pBar->triggerAction(bRightHanded ? Slider::SliderPageStepAdd : Slider::SliderPageStepSub);
        pBar->triggerAction(bRightHanded ? Slider::SliderSingleStepAdd : Slider::SliderSingleStepSub);
        pBar->triggerAction(QAbstractSlider::SliderToMinimum);
        pBar->triggerAction(QAbstractSlider::SliderToMaximum);
        EXPECT_EQ(pBar->value(), bRightHanded ? nPage + 1 : nMax - nPage - 1);
        Tap(Unit() / 2);
        EXPECT_EQ(pad.m_nLine, nPage + 1);
    }
    for (bool bRightHanded : {true, false}) {
        Open(Numbered(3), bRightHanded);
        EXPECT_FALSE(list->ScrollBar()->isEnabled()) << "the lines fit, right-handed " << bRightHanded;
    }
}

TEST_F(LineListTest, TheLastLineCanBeReachedAfterTheFontGrew)
{
    for (bool bRightHanded : {true, false}) {
        Open(Numbered(30), bRightHanded);
        SetFont(22);
        list->RefreshFont();
        ASSERT_GT(Unit(), 19);
        pad.ShowLineList();
        QScrollBar *pBar = list->ScrollBar();
        pBar->setSliderPosition(bRightHanded ? pBar->maximum() : 0);
        const int64_t nOffset = list->ScrollOffsetNow();
        EXPECT_LE(list->Layout().TotalHeight(), nOffset + Thickness());
        Tap(list->Layout().Top(29) - nOffset + 1);
        EXPECT_EQ(pad.m_nLine, 29);
        SetFont(12);
        list->RefreshFont();
    }
}

// Only the lines in view are drawn; the picture must be that of the whole
// joined text drawn at the scroll offset over the bands of all lines, turned
// to read upwards (right-handed) or downwards.
TEST_F(LineListTest, DrawingTheLinesInViewEqualsDrawingTheWholeText)
{
    Lines lines = {u"A first line long enough to wrap at least once across the list", u"", u"tab\u2026here"};
    for (int i = 0; i < 12; ++i)
        lines.push_back(i % 3 == 0 ? u"line with\nan inner break"
                                   : u"several words that run over the length of it");
    // A long line is drawn from the wrapped line in view on.
    std::u16string longLine;
    while (longLine.size() < 3000)
        longLine += u"Wide WWW and narrow iii\u2026tab, e\u0301\u0301 marks, \U0001F600 pairs\ninner breaks ";
    lines.insert(lines.begin() + 5, longLine);
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter measure(&scratch);
    measure.setFont(font.Font());
    std::vector<int> heights;
    QString joined;
    for (const std::u16string &line : lines) {
        const QString text = QString::fromStdU16String(line).replace(QChar(0x2026), QLatin1Char('\t'));
        joined += (heights.empty() ? QString() : QStringLiteral("\r\n")) + text;
        QRect rc(3, 0, kLength - 6, 25000);
        DrawTextFlags(measure, rc, text.isEmpty() ? QStringLiteral(" ") : text, 0xC50);
        heights.push_back(rc.height());
    }
    QRect rcAll(3, 0, kLength - 6, 25000);
    DrawTextFlags(measure, rcAll, joined, 0xC50);
    for (bool bRightHanded : {true, false}) {
        Open(lines, bRightHanded);
        ASSERT_EQ(list->Layout().Heights(), heights);
        EXPECT_EQ(list->Layout().TotalHeight(), rcAll.height());
        QScrollBar *pBar = list->ScrollBar();
        const int nMax = pBar->maximum();
        ASSERT_GT(nMax, 5);
        for (int nPos : {0, 1, nMax / 3, nMax / 2, nMax / 2 + 1, nMax}) {
            pBar->setSliderPosition(nPos);
            const int nOffset = Unit() * (bRightHanded ? nPos : nMax - nPos);
            QImage expected = BlankLandscape();
            QPainter painter(&expected);
            for (size_t i = 0, y = 0; i < heights.size(); y += size_t(heights[i]), ++i)
                if (i % 2 == 1)
                    painter.fillRect(0, int(y) - nOffset, kLength, heights[i], QColor(kBand));
            painter.setFont(font.Font());
            QRect rc(QPoint(3, -nOffset), QPoint(kLength - 4, Thickness() - 1));
            DrawTextFlags(painter, rc, joined, 0x850);
            painter.end();
            EXPECT_EQ(Mismatches(expected), 0) << "position " << nPos << " right-handed " << bRightHanded;
        }
    }
}

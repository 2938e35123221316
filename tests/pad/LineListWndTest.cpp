#include "pad/LineListWnd.h"

#include "platform/PointFont.h"
#include "pad/FakePadHost.h"
#include "pad/LineWrap.h"
#include "pad/PadText.h"
#include "platform/Utf16Text.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>
#include <QWheelEvent>

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
    QImage BlankLandscape() const
    {
        QImage image(kLength, Thickness(), QImage::Format_RGB32);
        image.fill(kWhite);
        return image;
    }
    // Draws line i of the list as its rows, every one in full, at the offset.
    void DrawRows(QPainter &painter, int i, int nOffset) const
    {
        const std::vector<int> starts = list->RowStarts(i);
        const std::u16string units = list->Lines()[size_t(i)].toStdU16String();
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        option.setTabStopDistance(8.0 * QFontMetrics(font.Font()).averageCharWidth());
        for (size_t r = 0; r < starts.size(); ++r) {
            const int nNext = r + 1 < starts.size() ? starts[r + 1] : int(units.size());
            QTextLayout layout(QStringOfUnits(RowText(units, starts[r], nNext)), font.Font());
            layout.setTextOption(option);
            layout.beginLayout();
            layout.createLine().setPosition(QPointF(0, 0));
            layout.endLayout();
            layout.lineAt(0).draw(&painter, QPointF(3, int(list->Layout().Top(i)) + int(r) * Unit() - nOffset));
        }
    }
    void Tap(int64_t nAcross)
    {
        QTest::mouseClick(list.get(), Qt::LeftButton, {}, OnScreen(kLength / 2, int(nAcross)));
    }
};
} // namespace

// A tap opens the line under it with the caret at zero and hides the list;
// the black border takes no taps, and the first pixel inside it on every
// side belongs to the list.
TEST_F(LineListTest, TapOpensTheLineUnderItAndTheBorderChoosesNothing)
{
    const Lines lines = Numbered(40);
    for (bool bRightHanded : {true, false}) {
        Open(lines, bRightHanded);
        const QImage shown = Screen();
        const int w = list->width(), h = list->height(), u = Unit();
        for (const QPoint &border : {QPoint(0, 160), QPoint(w - 1, 160), QPoint(100, 0), QPoint(100, h - 1)})
            EXPECT_EQ(shown.pixel(border), qRgb(0, 0, 0)) << border.x() << "," << border.y();
        // Lines 1 and 2 by their middles, line 1 by the first and last
        // pixels of its band; then the reading start and end across the
        // lines and the end of the text away from the scroll bar, on the
        // border and just inside it. -1 is no choice.
        const int nImageSide = bRightHanded ? h - 1 : 0, nInside = bRightHanded ? h - 2 : 1;
        const std::pair<QPoint, int> taps[] = {
            {OnScreen(kLength / 2, u + u / 2), 1}, {OnScreen(kLength / 2, 2 * u + u / 2), 2},
            {OnScreen(kLength / 2, u), 1},        {OnScreen(kLength / 2, 2 * u - 1), 1},
            {QPoint(bRightHanded ? 0 : w - 1, 160), -1}, {QPoint(bRightHanded ? 1 : w - 2, 160), 0},
            {QPoint(bRightHanded ? w - 1 : 0, 160), -1}, {QPoint(bRightHanded ? w - 2 : 1, 160), (Thickness() - 1) / u},
            {QPoint(1, nImageSide), -1},                 {QPoint(bRightHanded ? 1 : w - 2, nInside), 0}};
        for (const auto &[point, nLine] : taps) {
            Open(lines, bRightHanded);
            pad.m_nCaret = 3;
            QTest::mouseClick(list.get(), Qt::LeftButton, {}, point);
            EXPECT_EQ(pad.m_nLine, std::max(nLine, 0)) << point.x() << "," << point.y() << " right " << bRightHanded;
            EXPECT_EQ(pad.m_strLine, lines[size_t(std::max(nLine, 0))]);
            EXPECT_EQ(pad.m_nCaret, nLine < 0 ? 3 : 0);
            EXPECT_EQ(list->isVisible(), nLine < 0);
            EXPECT_EQ(pad.m_bListShown, nLine < 0);
        }
    }
}

// Beyond the last line a tap chooses nothing; with a larger font the last
// line can still be scrolled to and tapped.
TEST_F(LineListTest, ScrollBarRunsFromTheFirstLineToTheLastInBothDirectionsOrTakesNoScroll)
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
        // A wheel turned towards the user, over the lines, shows later ones.
        pad.ShowLineList();
        const QPoint middle = OnScreen(kLength / 2, Thickness() / 2);
        QWheelEvent wheel(middle, list->mapToGlobal(middle), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list.get(), &wheel);
        EXPECT_EQ(pBar->value(), bRightHanded ? 3 : nMax - 3);

        Open(Numbered(3), bRightHanded);
        EXPECT_FALSE(list->ScrollBar()->isEnabled()) << "the lines fit, right-handed " << bRightHanded;
        Tap(3 * Unit() + 2);
        EXPECT_TRUE(list->isVisible());
        Open(Numbered(30), bRightHanded);
        SetFont(22);
        list->RefreshFont();
        ASSERT_GT(Unit(), 19);
        pad.ShowLineList();
        pBar->setSliderPosition(bRightHanded ? pBar->maximum() : 0);
        const int64_t nOffset = list->ScrollOffsetNow();
        EXPECT_LE(list->Layout().TotalHeight(), nOffset + Thickness());
        Tap(list->Layout().Top(29) - nOffset + 1);
        EXPECT_EQ(pad.m_nLine, 29);
        SetFont(12);
        list->RefreshFont();
    }
}

// Only the lines in view, and of a long line only its rows in view, are
// drawn; the picture must be that of every row of every line drawn at the
// scroll offset over the bands of every second line (an empty line one row
// high), turned to read upwards
// (right-handed) or downwards. The rows are found from the characters'
// widths, not by Qt: drawn by Qt's wrapping, a word longer than the row would
// stay on one row.
TEST_F(LineListTest, DrawingTheLinesInViewEqualsDrawingTheWholeText)
{
    Lines lines = {u"A first line long enough to wrap at least once across the list", u"", u"\uFEFFtab\uE009here",
                   u"WiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWiWi\U0001F600 o\u0308o"};
    for (int i = 0; i < 12; ++i)
        lines.push_back(i % 3 == 0 ? u"line with\nan inner break"
                                   : u"several words that run over the length of it");
    std::u16string longLine;
    while (longLine.size() < 3000)
        longLine += u"Wide WWW and narrow iii\uE009tab, e\u0301\u0301 marks, \U0001F600 pairs\ninner breaks ";
    lines.insert(lines.begin() + 5, longLine);
    for (bool bRightHanded : {true, false}) {
        Open(lines, bRightHanded);
        // The pad's tab mark becomes a tab again; a leading U+FEFF is text.
        ASSERT_EQ(list->Lines()[2], QStringLiteral("\uFEFFtab\there"));
        for (int i = 0; i < list->Layout().Count(); ++i)
            ASSERT_EQ(list->Layout().Height(i), int(list->RowStarts(i).size()) * Unit()) << "line " << i;
        QScrollBar *pBar = list->ScrollBar();
        const int nMax = pBar->maximum();
        ASSERT_GT(nMax, 5);
        for (int nPos : {0, 1, nMax / 3, nMax / 2, nMax / 2 + 1, nMax}) {
            pBar->setSliderPosition(nPos);
            const int nOffset = Unit() * (bRightHanded ? nPos : nMax - nPos);
            QImage expected = BlankLandscape();
            QPainter painter(&expected);
            for (int i = 1; i < list->Layout().Count(); i += 2)
                painter.fillRect(0, int(list->Layout().Top(i)) - nOffset, kLength, list->Layout().Height(i),
                                 QColor(kBand));
            painter.setClipRect(3, 0, kLength - 6, Thickness());
            for (int i = 0; i < list->Layout().Count(); ++i)
                DrawRows(painter, i, nOffset);
            painter.end();
            EXPECT_EQ(Mismatches(expected), 0) << "position " << nPos << " right-handed " << bRightHanded;
        }
    }
}

// Where rows start, with characters 10 wide, "W" 20, the mark U+0301 5, each
// half of a lone surrogate 8 and a pair 15; tabs stop every 40.
TEST(LineWrap, BreaksAfterSpacesWithinWordsOnlyWhenNeededAndKeepsMarksAndPairs)
{
    struct Advances : CharAdvances {
        Entry Measure(char32_t ch) const override
        {
            if (ch == 0x05D0)
                return {10, Kind::RightToLeft};
            if (ch == 0x0301)
                return {5, Kind::Mark};
            return {ch == u'W' ? 20.f : ch >= 0x10000 ? 15.f : (ch & 0xF800) == 0xD800 ? 8.f : 10.f, Kind::Ordinary};
        }
    } advances;
    const std::tuple<std::u16string, double, std::vector<int>> cases[] = {
        {u"", 50, {0}},
        {u"aaa bbb", 50, {0, 4}},
        {u"aaa   bbb", 30, {0, 6}},            // spaces hang beyond the row
        {u"aaaaaaa", 30, {0, 3, 6}},           // a long word breaks where it no longer fits
        {u"W\u0301a", 15, {0, 2}},             // a first character too wide still keeps its mark
        {u"aa\u0301", 20, {0}},                // a mark never starts a row
        {u"a\U0001F600", 20, {0, 1}},          // nor the second half of a pair
        {u"aaaaa\tb", 85, {0, 6}},             // the tab reaches its stop at 80
        {u"aaaaaaa\tb", 50, {0, 5}},           // the stop counts from the row's start
        {u"ab\r\ncd\n\ne\r", 100, {0, 4, 7, 8, 10}},
    };
    for (const auto &[text, dRoom, expected] : cases) {
        std::vector<int> starts;
        EXPECT_TRUE(WrapLine(text, dRoom, 40, advances, starts));
        EXPECT_EQ(starts, expected) << QString::fromStdU16String(text).toStdString();
    }
    EXPECT_EQ(RowText(u"ab\r\ncd", 0, 4), u"ab");
    std::vector<int> starts = {7};
    EXPECT_FALSE(WrapLine(u"ab \u05D0", 100, 40, advances, starts));
    EXPECT_EQ(starts, std::vector<int>{7}) << "right-to-left text is left to Qt";
}

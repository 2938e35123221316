#include "pad/LineListWnd.h"

#include "platform/PointFont.h"
#include "pad/LineWrap.h"
#include "pad/PadText.h"
#include "pad/PortraitImage.h"
#include "platform/ImageCopy.h"
#include "platform/TextDraw.h"
#include "platform/Utf16Text.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextLayout>

#include <algorithm>

namespace {
const QColor kBackground(0xFF, 0xFF, 0xFF);
const QColor kText(0x00, 0x00, 0x00);
const QColor kBand(0x98, 0x98, 0x98);
constexpr int kMargin = 3;
// Far beyond any line, so that measuring never runs out of room.
constexpr int kMeasureDepth = 25000;
constexpr unsigned kMeasureFlags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
constexpr unsigned kDrawFlags = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;

bool IsRightToLeft(char32_t ch)
{
    switch (QChar::direction(ch)) {
    case QChar::DirR: case QChar::DirAL: case QChar::DirAN: case QChar::DirRLE: case QChar::DirRLO:
    case QChar::DirLRE: case QChar::DirLRO: case QChar::DirPDF: case QChar::DirRLI: case QChar::DirLRI:
    case QChar::DirFSI: case QChar::DirPDI:
        return true;
    default:
        return false;
    }
}

// What Qt keeps with the character before it when it breaks a word.
bool IsMark(char32_t ch)
{
    switch (QChar::category(ch)) {
    case QChar::Mark_NonSpacing: case QChar::Mark_SpacingCombining: case QChar::Mark_Enclosing:
        return true;
    default:
        // Joiners and skin-tone modifiers.
        return ch == 0x200C || ch == 0x200D || (ch >= 0x1F3FB && ch <= 0x1F3FF);
    }
}

std::u16string_view UnitsOf(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}

int ScrollCodeOfAction(int nAction)
{
    switch (nAction) {
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    default:
        return SB_ENDSCROLL;
    }
}
} // namespace

// The widths of the characters in the list's font, as Qt gives them.
class CLineListWnd::FontAdvances : public CharAdvances
{
public:
    // Forgets what it knew when the font is another one.
    void Use(const QFont &font)
    {
        if (font == m_font && m_pMetrics)
            return;
        Clear();
        m_font = font;
        m_pMetrics = std::make_unique<QFontMetricsF>(font);
    }

protected:
    Entry Measure(char32_t ch) const override
    {
        Entry entry;
        entry.kind = IsRightToLeft(ch) ? Kind::RightToLeft : IsMark(ch) ? Kind::Mark : Kind::Ordinary;
        entry.fAdvance = static_cast<float>(ch < 0x10000 ? m_pMetrics->horizontalAdvance(QChar(char16_t(ch)))
                                                         : m_pMetrics->horizontalAdvance(QString::fromUcs4(&ch, 1)));
        return entry;
    }

private:
    QFont m_font;
    std::unique_ptr<QFontMetricsF> m_pMetrics;
};

CLineListWnd::CLineListWnd(PadText *pPad, const PointFont *pFont, QWidget *pParent)
    : QFrame(pParent), m_pPad(pPad), m_pFont(pFont), m_pAdvances(std::make_unique<FontAdvances>())
{
    m_rowOption.setWrapMode(QTextOption::NoWrap);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    // The border and the portrait image cover everything the scroll bar leaves.
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
    CreateScrollBar();
}

CLineListWnd::~CLineListWnd() = default;

void CLineListWnd::CreateScrollBar()
{
    m_pScrollBar = new QScrollBar(Qt::Horizontal, this);
    m_pScrollBar->setObjectName(QStringLiteral("ScrollBar%1").arg(m_nScrollBarId));
    PlaceScrollBar();
    m_pScrollBar->setEnabled(false);
    m_pScrollBar->show();
    connect(m_pScrollBar, &QAbstractSlider::actionTriggered, this, &CLineListWnd::OnScrollAction);
    connect(m_pScrollBar, &QAbstractSlider::valueChanged, this, [this] { Render(); });
}

void CLineListWnd::PlaceScrollBar()
{
    const QRect client = contentsRect();
    const int nTop = RightHanded() ? client.top() : client.bottom() + 1 - m_nBarHeight;
    m_pScrollBar->setGeometry(client.left(), nTop, client.width(), m_nBarHeight);
    // The wheel turned towards the user shows later lines, whichever end of
    // the bar they lie at.
    m_pScrollBar->setInvertedControls(RightHanded());
}

void CLineListWnd::RefreshFont()
{
    m_nUnit = std::max(QFontMetrics(Font()).height(), 1);
    // The page follows the unit it is counted in; a page left over from
    // another font would leave the last lines out of reach.
    m_nPage = m_nThickness / m_nUnit;
}

void CLineListWnd::resizeEvent(QResizeEvent *pEvent)
{
    QFrame::resizeEvent(pEvent);
    EnsureSized();
}

// A hidden widget hears of its new size only when it is shown, but the list
// is rebuilt before it is shown: it reads its size itself.
void CLineListWnd::EnsureSized()
{
    const QSize client = contentsRect().size();
    if (client != m_sizeHandled)
        OnSize(client.width(), client.height());
}

void CLineListWnd::OnSize(int cx, int cy)
{
    m_sizeHandled = QSize(cx, cy);
    m_nThickness = std::max(cx, 0);
    m_nLength = std::max(cy - m_nBarHeight, 0);
    m_bmpPortrait = QImage(m_nThickness, m_nLength, QImage::Format_RGB888);
    m_bmpLandscape = QImage(m_nLength, m_nThickness, QImage::Format_RGB888);
    m_bmpPortrait.fill(kBackground);
    m_bmpLandscape.fill(kBackground);
    RefreshFont();
}

void CLineListWnd::Rebuild()
{
    EnsureSized();
    CopyLines();
    MeasureLines();
    SetScrollRange();
    Render();
}

void CLineListWnd::CopyLines()
{
    m_lines.clear();
    m_lines.reserve(m_pPad->m_lines.size());
    for (const std::u16string &line : m_pPad->m_lines) {
        std::u16string copy = line;
        PadText::ConvertTabs(copy, true);
        m_lines.push_back(QStringOfUnits(copy));
    }
}

// A line is wrapped from its characters' widths, its rows kept to draw it by;
// only a line with right-to-left text is laid out by Qt.
void CLineListWnd::MeasureLines()
{
    m_layout.Clear();
    m_layout.Reserve(m_lines.size());
    m_rowStarts.clear();
    m_firstRow.clear();
    m_firstRow.reserve(m_lines.size() + 1);
    const QFont font = Font();
    m_pAdvances->Use(font);
    const QFontMetrics metrics(font);
    m_nTextHeight = std::max(metrics.height(), 1);
    m_rowOption.setTabStopDistance(8.0 * metrics.averageCharWidth());
    const double dRoom = m_nLength - 2 * kMargin;
    QImage scratch(1, 1, QImage::Format_RGB888);
    QPainter painter(&scratch);
    painter.setFont(font);
    const QString space(QLatin1Char(' '));
    for (const QString &line : m_lines) {
        const std::size_t nFirst = m_rowStarts.size();
        m_firstRow.push_back(nFirst);
        if (WrapLine(UnitsOf(line), dRoom, m_rowOption.tabStopDistance(), *m_pAdvances, m_rowStarts)) {
            m_layout.Append(static_cast<int>(m_rowStarts.size() - nFirst) * m_nTextHeight);
            continue;
        }
        QRect rc(kMargin, 0, m_nLength - 2 * kMargin, kMeasureDepth);
        DrawTextFlags(painter, rc, line.isEmpty() ? space : line, kMeasureFlags);
        m_layout.Append(rc.bottom() + 1);
    }
    m_firstRow.push_back(m_rowStarts.size());
}

std::vector<int> CLineListWnd::RowStarts(int i) const
{
    const auto it = m_rowStarts.begin();
    return {it + static_cast<std::ptrdiff_t>(m_firstRow[static_cast<std::size_t>(i)]),
            it + static_cast<std::ptrdiff_t>(m_firstRow[static_cast<std::size_t>(i) + 1])};
}

void CLineListWnd::SetScrollRange()
{
    const int nUnits = UnitsForHeight(m_layout.TotalHeight(), m_nUnit);
    m_nScrollMax = nUnits - m_nPage + 1;
    if (m_nScrollMax < 1) {
        m_pScrollBar->setEnabled(false);
        return;
    }
    const QSignalBlocker blocker(m_pScrollBar);
    m_pScrollBar->setEnabled(true);
    m_pScrollBar->setRange(0, m_nScrollMax);
    m_pScrollBar->setPageStep(std::max(m_nPage, 1));
    m_pScrollBar->setValue(RightHanded() ? 0 : m_nScrollMax);
}

int64_t CLineListWnd::ScrollOffsetNow() const
{
    return ScrollOffset(m_nUnit, m_pScrollBar->value(), m_nScrollMax, RightHanded());
}

// Qt proposes a new position for each action; the list puts its own in place
// before the scroll bar takes it, and renders when the position changed.
void CLineListWnd::OnScrollAction(int nAction)
{
    const int nPos = m_pScrollBar->value();
    m_pScrollBar->setSliderPosition(NextScrollPosition(ScrollCodeOfAction(nAction), nPos,
                                                       m_pScrollBar->sliderPosition(), m_nScrollMax, m_nPage));
}

void CLineListWnd::Render()
{
    if (m_bmpLandscape.isNull())
        return;
    const int64_t nOffset = ScrollOffsetNow();
    {
        QPainter painter(&m_bmpLandscape);
        painter.fillRect(0, 0, m_nLength, m_nThickness, kBackground);
        DrawLines(painter, nOffset);
    }
    RotateLandscapeToPortrait(m_bmpLandscape, m_bmpPortrait, RightHanded());
    update();
}

void CLineListWnd::DrawLines(QPainter &painter, int64_t nOffset)
{
    int nFirst = 0;
    int nEnd = 0;
    m_layout.VisibleLines(nOffset, m_nThickness, nFirst, nEnd);
    // One line more on either side: a glyph may reach beyond its own line.
    nFirst = std::max(nFirst - 1, 0);
    nEnd = std::min(nEnd + 1, m_layout.Count());
    for (int i = nFirst | 1; i < nEnd; i += 2)
        painter.fillRect(0, static_cast<int>(m_layout.Top(i) - nOffset), m_nLength, m_layout.Height(i), kBand);
    painter.setPen(kText);
    painter.setFont(Font());
    // The clip is the one the whole text would be drawn in.
    painter.setClipRect(kMargin, 0, m_nLength - 2 * kMargin, m_nThickness);
    for (int i = nFirst; i < nEnd; ++i) {
        const int nTop = static_cast<int>(m_layout.Top(i) - nOffset);
        if (m_firstRow[static_cast<std::size_t>(i)] != m_firstRow[static_cast<std::size_t>(i) + 1]) {
            DrawRowsInView(painter, i, nTop);
            continue;
        }
        QRect rc(kMargin, nTop, m_nLength - 2 * kMargin, std::max(m_nThickness - nTop, 1));
        DrawTextFlags(painter, rc, m_lines[static_cast<size_t>(i)], kDrawFlags | DT_NOCLIP);
    }
}

// The rows in view, with one more on either side for glyphs that reach
// beyond their own row.
void CLineListWnd::DrawRowsInView(QPainter &painter, int i, int nTop)
{
    const QString &line = m_lines[static_cast<std::size_t>(i)];
    const std::size_t nBase = m_firstRow[static_cast<std::size_t>(i)];
    const int nRows = static_cast<int>(m_firstRow[static_cast<std::size_t>(i) + 1] - nBase);
    const int nEnd = std::min((m_nThickness - nTop) / m_nTextHeight + 2, nRows);
    for (int r = std::max(-nTop / m_nTextHeight - 1, 0); r < nEnd; ++r) {
        const int nNext = r + 1 < nRows ? m_rowStarts[nBase + static_cast<std::size_t>(r) + 1]
                                        : static_cast<int>(line.size());
        DrawRow(painter, line, m_rowStarts[nBase + static_cast<std::size_t>(r)], nNext, nTop + r * m_nTextHeight);
    }
}

void CLineListWnd::DrawRow(QPainter &painter, const QString &line, int nStart, int nNextStart, int nTop) const
{
    const std::u16string_view row = RowText(UnitsOf(line), nStart, nNextStart);
    if (row.empty())
        return;
    QTextLayout layout(QStringOfUnits(row), painter.font());
    layout.setTextOption(m_rowOption);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    textLine.setLineWidth(m_nLength);
    textLine.setPosition(QPointF(0, 0));
    layout.endLayout();
    textLine.draw(&painter, QPointF(kMargin, nTop));
}

void CLineListWnd::paintEvent(QPaintEvent *pEvent)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect client = contentsRect();
    if (m_bmpPortrait.isNull()) {
        painter.fillRect(client, kBackground);
        return;
    }
    PaintImage(painter, pEvent->region() & client,
               client.topLeft() + QPoint(0, RightHanded() ? m_nBarHeight : 0), m_bmpPortrait);
}

// A wheel over the lines turns the scroll bar, as over any list on a desktop.
void CLineListWnd::wheelEvent(QWheelEvent *pEvent)
{
    QCoreApplication::sendEvent(m_pScrollBar, pEvent);
}

void CLineListWnd::mousePressEvent(QMouseEvent *pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        OnTap(pEvent->position().toPoint());
    // Taken here: passed on, the press would reach the key under the list.
    pEvent->accept();
}

void CLineListWnd::OnTap(QPoint point)
{
    // A tap on the border is not a tap on the list.
    const QRect client = contentsRect();
    if (!client.contains(point))
        return;
    const int x = point.x() - client.left();
    // Across the lines is the portrait x, counted from the right when
    // left-handed, where the picture is mirrored across.
    const int nAcross = RightHanded() ? x : m_nThickness - 1 - x;
    const int nLine = m_layout.LineAt(nAcross + ScrollOffsetNow());
    if (nLine >= 0)
        m_pPad->GoToLine(nLine);
}

bool CLineListWnd::RightHanded() const
{
    return m_pPad->m_bRightHanded;
}

QFont CLineListWnd::Font() const
{
    return m_pFont != nullptr ? m_pFont->Font() : QFont();
}

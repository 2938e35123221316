#include "pad/LineListWnd.h"

#include "platform/PointFont.h"
#include "pad/PadText.h"
#include "pad/PortraitImage.h"
#include "platform/ImageCopy.h"
#include "platform/TextDraw.h"
#include "platform/Utf16Text.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

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
// Lines at least this long are drawn from the wrapped line in view on.
constexpr qsizetype kLongLine = 1000;

// Right-to-left text is reordered across its whole paragraph, so a part of
// it may show differently from the whole.
bool LeftToRightOnly(const QString &line)
{
    for (const QChar ch : line) {
        switch (ch.direction()) {
        case QChar::DirR: case QChar::DirAL: case QChar::DirAN: case QChar::DirRLE: case QChar::DirRLO:
        case QChar::DirLRE: case QChar::DirLRO: case QChar::DirPDF: case QChar::DirRLI: case QChar::DirLRI:
        case QChar::DirFSI: case QChar::DirPDI:
            return false;
        default:
            break;
        }
    }
    return true;
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

CLineListWnd::CLineListWnd(PadText *pPad, const PointFont *pFont, QWidget *pParent)
    : QFrame(pParent), m_pPad(pPad), m_pFont(pFont)
{
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

// The text stacks its lines exactly, so the heights measured line by line
// add up to the height of the whole text and place every line within it.
void CLineListWnd::MeasureLines()
{
    m_layout.Clear();
    m_layout.Reserve(m_lines.size());
    m_wrapStarts.clear();
    m_nTextHeight = std::max(QFontMetrics(Font()).height(), 1);
    QImage scratch(1, 1, QImage::Format_RGB888);
    QPainter painter(&scratch);
    painter.setFont(Font());
    const QString space(QLatin1Char(' '));
    for (const QString &line : m_lines) {
        if (line.size() >= kLongLine && LeftToRightOnly(line)) {
            std::vector<int> starts = WrappedLineStarts(Font(), m_nLength - 2 * kMargin, line, kMeasureFlags);
            m_layout.Append(static_cast<int>(starts.size()) * m_nTextHeight);
            m_wrapStarts.emplace(m_layout.Count() - 1, std::move(starts));
            continue;
        }
        QRect rc(kMargin, 0, m_nLength - 2 * kMargin, kMeasureDepth);
        DrawTextFlags(painter, rc, line.isEmpty() ? space : line, kMeasureFlags);
        m_layout.Append(rc.bottom() + 1);
    }
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
        if (const auto it = m_wrapStarts.find(i); it != m_wrapStarts.end()) {
            DrawWrappedLinesInView(painter, m_lines[static_cast<size_t>(i)], nTop, it->second);
            continue;
        }
        QRect rc(kMargin, nTop, m_nLength - 2 * kMargin, std::max(m_nThickness - nTop, 1));
        DrawTextFlags(painter, rc, m_lines[static_cast<size_t>(i)], kDrawFlags | DT_NOCLIP);
    }
}

// Wrapping again from the start of a wrapped line gives the same lines, so
// the part in view (with one wrapped line more on either side, for glyphs
// that reach beyond their own) is drawn as a text of its own.
void CLineListWnd::DrawWrappedLinesInView(QPainter &painter, const QString &line, int nTop,
                                          const std::vector<int> &starts)
{
    const int nRows = static_cast<int>(starts.size());
    const int nFirst = std::max(-nTop / m_nTextHeight - 1, 0);
    const int nEnd = std::min((m_nThickness - nTop) / m_nTextHeight + 2, nRows);
    if (nFirst >= nEnd)
        return;
    const int nFrom = starts[static_cast<size_t>(nFirst)];
    const int nTo = nEnd < nRows ? starts[static_cast<size_t>(nEnd)] : static_cast<int>(line.size());
    const int nRowTop = nTop + nFirst * m_nTextHeight;
    QRect rc(kMargin, nRowTop, m_nLength - 2 * kMargin, std::max(m_nThickness - nRowTop, 1));
    DrawTextFlags(painter, rc, line.mid(nFrom, nTo - nFrom), kDrawFlags | DT_NOCLIP);
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

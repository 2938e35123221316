#include "pad/TypePadWnd.h"

#include "pad/PortraitImage.h"
#include "platform/ImageCopy.h"
#include "platform/Platform.h"
#include "platform/TextDraw.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

namespace {
constexpr unsigned kMeasureFlags = DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
constexpr unsigned kDrawFlags = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
// The text starts this far from the start of the strip.
constexpr int kMargin = 3;
constexpr int kAutoScrollMilliseconds = 100;
const QColor kCaretColor(255, 0, 0);

QColor ColorOf(std::uint32_t cr)
{
    return QColor(cr & 0xFF, (cr >> 8) & 0xFF, (cr >> 16) & 0xFF);
}

// The text as the pad shows it: a tab as an ellipsis.
QString ToQString(std::u16string_view text)
{
    QString shown(reinterpret_cast<const QChar *>(text.data()), static_cast<qsizetype>(text.size()));
    return shown.replace(QChar(PadText::m_chTab), QChar(PadText::m_chTabShown));
}

QChar Shown(char16_t ch)
{
    return QChar(ch == PadText::m_chTab ? PadText::m_chTabShown : ch);
}

// Characters measured at a time when looking for where to cut a long text.
constexpr size_t kDrawnChunk = 64;

// Whether the text up to nCut is laid out the same with or without what
// follows: the cut falls after a left-to-right letter (so no direction
// resolved before it looks past it) and before anything that would join the
// character before it (a mark, a joiner, the second half of a pair).
bool CutsCleanly(std::u16string_view text, size_t nCut)
{
    const QChar before = Shown(text[nCut - 1]);
    const QChar after = Shown(text[nCut]);
    return before.direction() == QChar::DirL && !before.isSurrogate() && !after.isLowSurrogate()
        && !after.isMark() && after.category() != QChar::Other_Format;
}

// A paragraph that starts right-to-left is placed from its end: cutting it
// would move what shows.
bool StartsLeftToRight(std::u16string_view text)
{
    for (const char16_t ch : text) {
        const QChar::Direction direction = Shown(ch).direction();
        if (direction == QChar::DirL && !QChar(ch).isSurrogate())
            return true;
        if (direction == QChar::DirR || direction == QChar::DirAL)
            return false;
    }
    return false;
}
}

CTypePadWnd::CTypePadWnd(QWidget *parent)
    : QFrame(parent), m_text(*this), m_wndLineList(&m_text, &m_font, parent)
{
    SetUpFrame();
    SetPadFont(QStringLiteral("Tahoma"), 12, false, false, false, false);
}

void CTypePadWnd::Create(QWidget *pParent, const QRect &rc)
{
    setParent(pParent);
    setGeometry(rc);
    // Under a hidden keyboard window the resize event waits for the first
    // show, but text can come in before that: the pad needs its length now.
    const QRect client = contentsRect();
    CreateImages(client.width(), client.height());
    show();
    m_wndLineList.setParent(pParent);
    m_wndLineList.setObjectName(QStringLiteral("LineList%1").arg(kLineListId));
    m_wndLineList.setGeometry(QRect(QPoint(rc.right() + 1, 0), QPoint(239, 319)));
    m_wndLineList.hide();
    m_wndLineList.PlaceScrollBar();
}

void CTypePadWnd::SetUpFrame()
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_imgMeasure = QImage(1, 1, QImage::Format_RGB888);
}

void CTypePadWnd::SetPadFont(const QString &face, int nSize, bool bBold, bool bItalic, bool bStrike,
                             bool bUnderline)
{
    m_font.Delete();
    m_bMeasured = false;
    MakePointFont(m_font, face, static_cast<double>(nSize), bBold, bItalic, bStrike, bUnderline, 0, 0);
    m_nAvgCharWidth = QFontMetrics(m_font.Font()).averageCharWidth();
    Redraw();
    m_wndLineList.RefreshFont();
}

void CTypePadWnd::SetColors(std::uint32_t crText, std::uint32_t crSelText, std::uint32_t crBack,
                            std::uint32_t crSelBack)
{
    m_crText = crText;
    m_crSelText = crSelText;
    m_crBack = crBack;
    m_crSelBack = crSelBack;
    Redraw();
}

int CTypePadWnd::MeasureText(std::u16string_view text) const
{
    // Scrolling measures the text before the caret, and drawing the caret
    // measures it again right after.
    if (m_bMeasured && text == m_strMeasured)
        return m_nMeasuredWidth;
    m_strMeasured = text;
    m_nMeasuredWidth = MeasureAnew(text);
    m_bMeasured = true;
    return m_nMeasuredWidth;
}

int CTypePadWnd::MeasureAnew(std::u16string_view text) const
{
    QPainter painter(&m_imgMeasure);
    painter.setFont(m_font.Font());
    QRect rect(0, 0, 1, 20);
    DrawTextFlags(painter, rect, ToQString(text), kMeasureFlags);
    return rect.width();
}

void CTypePadWnd::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    const QRect client = contentsRect();
    CreateImages(client.width(), client.height());
    m_nAvgCharWidth = QFontMetrics(m_font.Font()).averageCharWidth();
    Redraw();
}

void CTypePadWnd::CreateImages(int cx, int cy)
{
    m_nLength = std::max(cy, 0);
    m_nThickness = std::max(cx, 0);
    if (m_nLength == 0 || m_nThickness == 0) {
        m_imgPortrait = QImage();
        m_imgLandscape = QImage();
        return;
    }
    m_imgPortrait = QImage(m_nThickness, m_nLength, QImage::Format_RGB888);
    m_imgLandscape = QImage(m_nLength, m_nThickness, QImage::Format_RGB888);
    m_imgLandscape.fill(ColorOf(m_crBack));
}

void CTypePadWnd::Redraw()
{
    m_text.UpdateVisible();
    if (m_imgLandscape.isNull())
        return;
    QPainter painter(&m_imgLandscape);
    painter.fillRect(0, 0, m_nLength, m_nThickness, ColorOf(m_crBack));
    painter.setFont(m_font.Font());
    painter.setPen(ColorOf(m_crText));
    QRect rect(QPoint(kMargin, 0), QPoint(m_nLength - kMargin - 1, m_nThickness - 1));
    DrawTextFlags(painter, rect, ToQString(DrawnPart(m_text.m_strVisible, m_nLength)), kDrawFlags);
    if (m_text.m_bSelection)
        DrawSelection(painter);
    else
        DrawCaret(painter);
    painter.end();
    RotateToScreen();
    repaint();
}

// Laying out a line costs as much as the line is long, but the strip shows
// only its start: a long text is cut a little beyond where the strip ends,
// so that a keystroke costs the same in a short line as in a very long one.
std::u16string_view CTypePadWnd::DrawnPart(std::u16string_view text, int nRoom) const
{
    // A glyph may reach a little beyond its advance; what is cut lies a
    // full line height beyond the end of the strip.
    const int nBeyond = nRoom + m_nAvgCharWidth + QFontMetrics(m_font.Font()).height();
    for (size_t n = kDrawnChunk; n < text.size(); n *= 2) {
        // Not kept: the caret's text, measured while scrolling, is wanted
        // again right after.
        if (MeasureAnew(text.substr(0, n)) < nBeyond)
            continue;
        const size_t nLast = std::min(text.size() - 1, 2 * n);
        for (size_t nCut = n + 1; nCut <= nLast; ++nCut)
            if (CutsCleanly(text, nCut))
                return StartsLeftToRight(text.substr(0, nCut)) ? text.substr(0, nCut) : text;
    }
    return text;
}

void CTypePadWnd::DrawCaret(QPainter &painter)
{
    const std::u16string_view visible = m_text.m_strVisible;
    const size_t nBefore = static_cast<size_t>(std::max(m_text.m_nCaret - m_text.m_nFirstCol, 0));
    const int w = MeasureText(visible.substr(0, std::min(nBefore, visible.size())));
    // A two-pixel pen on the line at w + 3 covers the column before it too;
    // the line stops one pixel short of its end point.
    painter.fillRect(w + kMargin - 1, 2, 2, m_nThickness - 4, kCaretColor);
}

void CTypePadWnd::DrawSelection(QPainter &painter)
{
    const std::u16string_view visible = m_text.m_strVisible;
    const int nVisible = static_cast<int>(visible.size());
    const int s = std::clamp(m_text.m_nSelStart - m_text.m_nFirstCol, 0, nVisible);
    const int e = std::max(m_text.m_nSelEnd - m_text.m_nFirstCol, 0);
    const int nCount = std::clamp(e - s + 1, 0, nVisible - s);
    const int w1 = MeasureText(visible.substr(0, static_cast<size_t>(s)));
    // Past the end of the strip neither the band nor the text shows.
    const std::u16string_view selected =
        DrawnPart(visible.substr(static_cast<size_t>(s), static_cast<size_t>(nCount)), m_nLength - w1);
    const int w2 = MeasureText(selected);
    painter.fillRect(w1 + kMargin, 2, w2, m_nThickness - 4, ColorOf(m_crSelBack));
    painter.setPen(ColorOf(m_crSelText));
    QRect rect(QPoint(w1 + kMargin, 0), QPoint(m_nLength - kMargin - 1, m_nThickness - 1));
    DrawTextFlags(painter, rect, ToQString(selected), kDrawFlags);
}

void CTypePadWnd::RotateToScreen()
{
    RotateToScreen(m_imgLandscape, m_imgPortrait, m_text.m_bRightHanded);
}

void CTypePadWnd::RotateToScreen(const QImage &landscape, QImage &portrait, bool bRightHanded)
{
    RotateLandscapeToPortrait(landscape, portrait, bRightHanded);
}

void CTypePadWnd::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    drawFrame(&painter);
    if (!m_imgPortrait.isNull())
        PaintImage(painter, event->region(), contentsRect().topLeft(), m_imgPortrait);
}

void CTypePadWnd::MessageBeep()
{
    Platform::MessageBeep();
}

void CTypePadWnd::ShowLineListWindow()
{
    m_wndLineList.Rebuild();
    // A pad that was never placed in a window has nothing to show it over.
    if (m_wndLineList.parentWidget() == nullptr)
        return;
    m_wndLineList.raise();
    m_wndLineList.show();
}

void CTypePadWnd::HideLineListWindow()
{
    m_wndLineList.hide();
}

int CTypePadWnd::AlongStrip(QPoint point) const
{
    const QPoint client = point - contentsRect().topLeft();
    return m_text.m_bRightHanded ? m_nLength - 1 - client.y() : client.y();
}

void CTypePadWnd::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && !m_bPenDown)
        PasteSelectionAt(AlongStrip(event->position().toPoint()));
    if (event->button() != Qt::LeftButton)
        return;
    // The widget that takes the press gets every move and the release until
    // the button comes up, which is all the capture the stylus needs.
    m_bPenDown = true;
    m_text.StylusDown(HitTest(AlongStrip(event->position().toPoint()) - 2));
}

void CTypePadWnd::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bPenDown)
        return;
    const int X = AlongStrip(event->position().toPoint());
    if (X <= 1) {
        if (m_text.m_bSelection)
            StartAutoScroll(kTimerScrollBack, kTimerScrollForward);
    } else if (X >= m_nLength - 3) {
        if (m_text.m_bSelection)
            StartAutoScroll(kTimerScrollForward, kTimerScrollBack);
    } else {
        StopAutoScroll();
        m_text.StylusDrag(HitTest(X - 2));
    }
}

void CTypePadWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bPenDown = false;
    StopAutoScroll();
    OfferSelection();
}

void CTypePadWnd::StartAutoScroll(int nId, int nOtherId)
{
    if (m_timers.IsActive(nOtherId))
        m_timers.Kill(nOtherId);
    if (!m_timers.IsActive(nId))
        m_timers.Set(nId, kAutoScrollMilliseconds);
}

void CTypePadWnd::StopAutoScroll()
{
    m_timers.Kill(kTimerScrollBack);
    m_timers.Kill(kTimerScrollForward);
}

void CTypePadWnd::timerEvent(QTimerEvent *event)
{
    if (const std::optional<int> id = m_timers.IdOf(event->timerId()))
        OnTimer(*id);
    else
        QFrame::timerEvent(event);
}

void CTypePadWnd::OnTimer(int nId)
{
    if (nId == kTimerScrollBack)
        m_text.ExtendSelectionBack();
    else if (nId == kTimerScrollForward)
        m_text.ExtendSelectionForward();
}

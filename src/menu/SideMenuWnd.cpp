#include "menu/SideMenuWnd.h"

#include "platform/TextDraw.h"
#include "platform/WindowMessage.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

namespace {
// The menu is a bordered window: a one-pixel frame around its client area.
constexpr int kBorder = 1;
const QColor kBorderColor(0, 0, 0);
const QColor kBackColor(255, 255, 255);
const QColor kHotColor(0, 0, 255);
const QColor kTextColor(0, 0, 0);
const QColor kHotTextColor(255, 255, 255);
const QColor kDisabledColor(0x80, 0x80, 0x80);
constexpr int kSeparatorInset = 5;

QRect ToQRect(const MenuRect &rc)
{
    return QRect(rc.left, rc.top, rc.Width(), rc.Height());
}

MenuRect ToMenuRect(const QRect &rc)
{
    return {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}
}

CSideMenuWnd::CSideMenuWnd(QWidget *pParent) : QWidget(pParent), m_timers(this)
{
    hide();
}

void CSideMenuWnd::Create(QWidget *pParent, const QRect &rc)
{
    setParent(pParent);
    setGeometry(rc);
    hide();
}

void CSideMenuWnd::AddItem(const QString &text, int nCommand)
{
    m_items.push_back(text);
    m_commands.push_back(nCommand);
    m_enabled.push_back(true);
}

void CSideMenuWnd::AddSeparator()
{
    m_separators.push_back(ItemCount());
}

void CSideMenuWnd::EnableItem(int nItem, bool bEnable)
{
    if (IsValidItem(nItem))
        m_enabled[nItem] = bEnable;
}

bool CSideMenuWnd::IsItemEnabled(int nItem) const
{
    return IsValidItem(nItem) && m_enabled[nItem];
}

void CSideMenuWnd::Place(bool bRightHanded)
{
    m_bRightHanded = bRightHanded;
    m_nSlide = SideMenuSlide(bRightHanded);
    MoveTo(SideMenuOpenRect(bRightHanded, m_nItemSize));
    m_rcOpen = ToMenuRect(geometry());
    const int escapement = bRightHanded ? 900 : 2700;
    m_font.Delete();
    MakePointFont(m_font, QStringLiteral("Tahoma"), 8.5, true, false, false, false, escapement, escapement);
}

void CSideMenuWnd::Open()
{
    if (m_bAnimating)
        return;
    m_nHot = -1;
    m_bOpening = true;
    m_rcCur = CollapseMenuRect(m_rcOpen, m_nSlide);
    m_bAnimating = true;
    MoveTo(m_rcCur);
    // Over the pad's line list and anything else the keyboard window holds.
    raise();
    show();
    update();
    grabMouse();
    StartAnimation();
}

void CSideMenuWnd::Close()
{
    if (m_bAnimating)
        return;
    releaseMouse();
    m_bOpening = false;
    m_rcCur = m_rcOpen;
    m_bAnimating = true;
    MoveTo(m_rcCur);
    StartAnimation();
}

void CSideMenuWnd::OnTimer(int nId)
{
    if (nId != kAnimationTimer || !m_bAnimating)
        return;
    if (StepMenuRect(m_rcCur, m_rcOpen, m_nSlide, m_bOpening)) {
        StopAnimation();
        if (!m_bOpening) {
            hide();
            m_nHot = -1;
        }
    }
    MoveTo(m_rcCur);
}

void CSideMenuWnd::timerEvent(QTimerEvent *event)
{
    if (const auto id = m_timers.IdOf(event->timerId()))
        OnTimer(*id);
    else
        QWidget::timerEvent(event);
}

void CSideMenuWnd::MoveTo(const MenuRect &rc)
{
    setGeometry(ToQRect(rc));
}

void CSideMenuWnd::StartAnimation()
{
    m_timers.Set(kAnimationTimer, m_nInterval);
}

void CSideMenuWnd::StopAnimation()
{
    m_timers.Kill(kAnimationTimer);
    m_bAnimating = false;
}

QPoint CSideMenuWnd::ClientPoint(const QPoint &widgetPoint) const
{
    return widgetPoint - QPoint(kBorder, kBorder);
}

QSize CSideMenuWnd::ClientSize() const
{
    return QSize(std::max(0, width() - 2 * kBorder), std::max(0, height() - 2 * kBorder));
}

bool CSideMenuWnd::IsInClient(const QPoint &clientPoint) const
{
    const QSize client = ClientSize();
    return clientPoint.x() >= 0 && clientPoint.y() >= 0 && clientPoint.x() < client.width()
           && clientPoint.y() < client.height();
}

bool CSideMenuWnd::IsValidItem(int nItem) const
{
    return nItem >= 0 && nItem < ItemCount();
}

void CSideMenuWnd::SetHot(int nItem)
{
    m_nHot = nItem;
    update();
}

void CSideMenuWnd::mousePressEvent(QMouseEvent *event)
{
    if (m_bAnimating || event->button() != Qt::LeftButton)
        return;
    const QPoint point = ClientPoint(event->position().toPoint());
    if (IsInClient(point)) {
        SetHot(MenuItemAt(point.x(), ClientSize().width(), m_bRightHanded, m_nItemSize));
    } else {
        m_nHot = -1;
        Close();
    }
    m_bPressed = true;
}

void CSideMenuWnd::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bAnimating || !m_bPressed)
        return;
    const QPoint point = ClientPoint(event->position().toPoint());
    const int item = MenuItemAt(point.x(), ClientSize().width(), m_bRightHanded, m_nItemSize);
    if (item != m_nHot)
        SetHot(item);
}

void CSideMenuWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_bAnimating || event->button() != Qt::LeftButton)
        return;
    const QPoint point = ClientPoint(event->position().toPoint());
    if (IsInClient(point) && IsValidItem(m_nHot) && m_enabled[m_nHot]) {
        if (parentWidget() != nullptr)
            PostWindowMessage(parentWidget(), m_commands[m_nHot]);
        Close();
    }
    m_bPressed = false;
}

void CSideMenuWnd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(kBorderColor);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    const QSize client = ClientSize();
    painter.translate(kBorder, kBorder);
    painter.setClipRect(QRect(QPoint(0, 0), client));
    painter.fillRect(QRect(QPoint(0, 0), client), kBackColor);
    if (m_font.IsNull())
        return;
    for (int item = 0; item < ItemCount(); ++item)
        PaintItem(painter, item, client);
    painter.setPen(kTextColor);
    for (int separator : m_separators) {
        const int x = MenuSeparatorX(separator, client.width(), m_bRightHanded, m_nItemSize);
        // The end point is left out, as the handheld's lines leave it out.
        painter.drawLine(x, kSeparatorInset, x, client.height() - kSeparatorInset - 1);
    }
}

void CSideMenuWnd::PaintItem(QPainter &painter, int nItem, const QSize &client) const
{
    const bool bHot = nItem == m_nHot;
    if (bHot) {
        const int left = MenuBandLeft(nItem, client.width(), m_bRightHanded, m_nItemSize);
        painter.fillRect(QRect(left, 0, m_nItemSize, client.height()), kHotColor);
    }
    if (!m_enabled[nItem])
        painter.setPen(kDisabledColor);
    else
        painter.setPen(bHot ? kHotTextColor : kTextColor);
    const int textHeight = QFontMetrics(m_font.Font()).height();
    const int x = MenuTextX(nItem, textHeight, client.width(), m_bRightHanded, m_nItemSize);
    ExtTextOut(painter, x, MenuTextY(client.height(), m_bRightHanded), m_font, m_items[nItem]);
}

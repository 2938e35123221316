#pragma once

#include "platform/PointFont.h"
#include "menu/SideMenuLayout.h"
#include "platform/WindowTimers.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

// The pop-up list of pad and program commands over the keyboard window. Its
// items are narrow bands side by side, labelled with rotated text, so that on
// the device held sideways they read as a vertical list. It unrolls and rolls
// up on timer 1, holds the stylus capture while open, and posts the chosen
// item's message to its parent; it carries out no command itself.
class CSideMenuWnd : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kAnimationTimer = 1;

    explicit CSideMenuWnd(QWidget *pParent = nullptr);

    // Makes the menu a hidden child of the window that receives its messages.
    void Create(QWidget *pParent, const QRect &rc);

    // Items in order; each posts its message to the parent when chosen.
    void AddItem(const QString &text, int nCommand);
    // A separator line before the item added next.
    void AddSeparator();
    void EnableItem(int nItem, bool bEnable);
    bool IsItemEnabled(int nItem) const;
    int ItemCount() const { return static_cast<int>(m_items.size()); }

    void Place(bool bRightHanded);
    void Open();
    void Close();

    // Open or opening; cleared as soon as closing starts.
    bool IsOpening() const { return m_bOpening; }
    bool IsAnimating() const { return m_bAnimating; }
    int HotItem() const { return m_nHot; }
    MenuRect OpenRect() const { return m_rcOpen; }
    MenuRect CurrentRect() const { return m_rcCur; }
    const PointFont &Font() const { return m_font; }

    void OnTimer(int nId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void MoveTo(const MenuRect &rc);
    void StartAnimation();
    void StopAnimation();
    QPoint ClientPoint(const QPoint &widgetPoint) const;
    QSize ClientSize() const;
    bool IsInClient(const QPoint &clientPoint) const;
    bool IsValidItem(int nItem) const;
    void SetHot(int nItem);
    void PaintItem(QPainter &painter, int nItem, const QSize &client) const;

    bool m_bRightHanded = true;
    std::vector<QString> m_items;
    std::vector<int> m_commands;
    std::vector<int> m_separators;
    std::vector<bool> m_enabled;
    PointFont m_font;
    int m_nItemSize = kMenuItemSize;
    int m_nHot = -1;
    int m_nSlide = SLIDE_LEFT;
    MenuRect m_rcOpen;
    MenuRect m_rcCur;
    bool m_bOpening = false;
    bool m_bAnimating = false;
    int m_nInterval = 50;
    bool m_bPressed = false;
    WindowTimers m_timers;
};

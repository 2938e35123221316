#include "platform/ScreenFit.h"

#include <QWidget>
#include <QWindow>

namespace {
QMargins FrameOf(QWidget &window)
{
    window.winId();
    return window.windowHandle() != nullptr ? window.windowHandle()->frameMargins() : QMargins();
}
}

QRect RoomForContents(QWidget &window, const QRect &area)
{
    return area.marginsRemoved(FrameOf(window));
}

void CentreIn(QWidget &window, const QRect &area, QSize size)
{
    window.resize(size);
    // A window's position is its frame's.
    const QSize outer = size.grownBy(FrameOf(window));
    window.move(area.left() + (area.width() - outer.width()) / 2, area.top() + (area.height() - outer.height()) / 2);
}

#include "dialogs/DevicePlacement.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace {
QWidget *DeviceScreen(const QWidget *dialog)
{
    if (dialog->parentWidget() != nullptr)
        return dialog->parentWidget()->window();
    QWidget *active = QApplication::activeWindow();
    if (active != nullptr && active != dialog)
        return active;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget != dialog && widget->isVisible() && widget->windowTitle() == QLatin1String("Quorlex"))
            return widget;
    }
    return nullptr;
}
}

void PlaceOverDeviceScreen(QWidget *dialog)
{
    const QWidget *screen = DeviceScreen(dialog);
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const int x = area.left() + std::max(0, (area.width() - dialog->width()) / 2);
    dialog->move(x, area.top());
}

#include "prefs/ProgramIcon.h"

#include <QPainter>

namespace {
constexpr int kSize = 32;
constexpr int kKeyColumns = 5;
constexpr int kKeyRows = 3;
}

QPixmap ProgramIcon()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 255));
    painter.drawRect(1, 4, 30, 24);
    painter.setBrush(Qt::white);
    painter.drawRect(3, 6, 26, 5);
    for (int row = 0; row < kKeyRows; ++row) {
        for (int column = 0; column < kKeyColumns; ++column)
            painter.drawRect(3 + column * 5 + (row % 2), 13 + row * 5, 4, 3);
    }
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRect(4, 7, 1, 3);
    painter.end();
    return QPixmap::fromImage(image);
}

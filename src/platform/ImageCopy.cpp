#include "platform/ImageCopy.h"

#include <QColor>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cstring>

QColor ColorFromRef(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

namespace {
void MakeThirtyTwoBit(QImage &image)
{
    if (image.depth() != 32)
        image.convertTo(QImage::Format_RGB32);
}
}

void BitBlt(QImage &destination, const QRect &rect, const QImage &source)
{
    MakeThirtyTwoBit(destination);
    const QRect area = rect & destination.rect() & source.rect();
    if (area.isEmpty())
        return;
    const QImage &from = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const std::size_t rowBytes = std::size_t(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *sourceRow = from.constScanLine(y) + area.left() * sizeof(QRgb);
        std::memcpy(destination.scanLine(y) + area.left() * sizeof(QRgb), sourceRow, rowBytes);
    }
}

void TransparentImage(QImage &destination, int dx, int dy, const QImage &source, int sx, int sy, int width,
                      int height, QRgb transparent)
{
    MakeThirtyTwoBit(destination);
    const QImage from = source.convertToFormat(QImage::Format_RGB32);
    // Clip the block to the source first, then to the destination.
    const QRect sourceBlock = QRect(sx, sy, width, height) & from.rect();
    const QRect target = sourceBlock.translated(dx - sx, dy - sy) & destination.rect();
    if (target.isEmpty())
        return;
    const int offsetX = sx - dx;
    const int offsetY = sy - dy;
    const QRgb key = transparent & RGB_MASK;
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const QRgb *sourceRow = reinterpret_cast<const QRgb *>(from.constScanLine(y + offsetY)) + offsetX;
        QRgb *destinationRow = reinterpret_cast<QRgb *>(destination.scanLine(y));
        // Every pixel is written, the kept ones with what they were, so that
        // the compiler can copy several at a time.
        for (int x = target.left(); x <= target.right(); ++x) {
            const QRgb pixel = sourceRow[x];
            destinationRow[x] = (pixel & RGB_MASK) != key ? pixel | ~RGB_MASK : destinationRow[x];
        }
    }
}

void PaintImage(QPainter &painter, const QRegion &region, QPoint origin, const QImage &image)
{
    const QImage pixels = image.depth() == 32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const QRect imageArea(origin, pixels.size());
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &rect : region) {
        const QRect area = rect & imageArea;
        if (area.isEmpty())
            continue;
        painter.setClipRect(area);
        painter.drawImage(area.topLeft(), pixels, area.translated(-origin));
    }
    painter.restore();
}

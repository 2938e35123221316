#pragma once

#include <QBuffer>
#include <QImage>
#include <QList>

#include <cstdint>

// Skin files assembled at run time: seven colours, then six images, each a
// 32-bit little-endian length and the bytes of an image file.
inline QByteArray LittleEndian32(std::uint32_t value)
{
    const char bytes[4] = {char(value & 0xFF), char(value >> 8 & 0xFF), char(value >> 16 & 0xFF), char(value >> 24)};
    return QByteArray(bytes, 4);
}

inline QByteArray ImageFileBytes(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A flat colour, with a magenta 3 x 3 block in each corner when asked.
inline QImage SolidImage(int width, int height, QRgb color, bool magentaCorners = false)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    for (int y = 0; magentaCorners && y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x < 3 || x >= width - 3) && (y < 3 || y >= height - 3))
                image.setPixel(x, y, qRgb(255, 0, 255));
    return image;
}

struct SkinParts {
    QList<std::uint32_t> colors{0x0000FF, 0x00FF00, 0x111111, 0x222222, 0x333333, 0x444444, 0x00FFFF};
    QList<QByteArray> images; // faces, Enter faces, backgrounds; released, pressed

    QByteArray Bytes() const
    {
        QByteArray bytes;
        for (const std::uint32_t color : colors)
            bytes += LittleEndian32(color);
        for (const QByteArray &image : images)
            bytes += LittleEndian32(std::uint32_t(image.size())) + image;
        return bytes;
    }
};

// 30 x 20 key faces and 60 x 20 Enter faces with magenta corners and flat
// backgrounds, PNG and BMP mixed.
inline SkinParts CompleteSkin()
{
    SkinParts parts;
    parts.images = {ImageFileBytes(SolidImage(30, 20, qRgb(200, 10, 10), true), "PNG"),
                    ImageFileBytes(SolidImage(30, 20, qRgb(10, 200, 10), true), "BMP"),
                    ImageFileBytes(SolidImage(60, 20, qRgb(10, 10, 200), true), "PNG"),
                    ImageFileBytes(SolidImage(60, 20, qRgb(200, 200, 10), true), "BMP"),
                    ImageFileBytes(SolidImage(240, 320, qRgb(40, 40, 90)), "PNG"),
                    ImageFileBytes(SolidImage(240, 320, qRgb(90, 40, 40)), "BMP")};
    return parts;
}

#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QList>

#include <array>
#include <cstdint>

// Assembles skin files at run time: seven colours, then six images, each a
// 32-bit little-endian length and the bytes of an image file.
inline QByteArray LittleEndian32(std::uint32_t value)
{
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char(value >> shift & 0xFF));
    return bytes;
}

inline QByteArray ImageFileBytes(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QImage SolidImage(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

struct SkinParts {
    std::array<std::uint32_t, 7> colors{0x0000FF, 0x00FF00, 0x111111, 0x222222, 0x333333, 0x444444, 0x00FFFF};
    // Faces, Enter faces and backgrounds, released then pressed, as files.
    QList<QByteArray> images;

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

// A face with a magenta 3 x 3 block in each corner, which must let the
// background show through.
inline QImage FaceWithMagentaCorners(int width, int height, QRgb color)
{
    QImage face = SolidImage(width, height, color);
    for (const QPoint corner : {QPoint(0, 0), QPoint(width - 3, 0), QPoint(0, height - 3), QPoint(width - 3, height - 3)})
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                face.setPixel(corner.x() + x, corner.y() + y, qRgb(255, 0, 255));
    return face;
}

// A complete skin: 30 x 20 key faces and 60 x 20 Enter faces with magenta
// corners, flat-coloured backgrounds, as PNG and BMP files mixed.
inline SkinParts CompleteSkin()
{
    SkinParts parts;
    parts.images = {
        ImageFileBytes(FaceWithMagentaCorners(30, 20, qRgb(200, 10, 10)), "PNG"),
        ImageFileBytes(FaceWithMagentaCorners(30, 20, qRgb(10, 200, 10)), "BMP"),
        ImageFileBytes(FaceWithMagentaCorners(60, 20, qRgb(10, 10, 200)), "PNG"),
        ImageFileBytes(FaceWithMagentaCorners(60, 20, qRgb(200, 200, 10)), "BMP"),
        ImageFileBytes(SolidImage(240, 320, qRgb(40, 40, 90)), "PNG"),
        ImageFileBytes(SolidImage(240, 320, qRgb(90, 40, 40)), "BMP"),
    };
    return parts;
}

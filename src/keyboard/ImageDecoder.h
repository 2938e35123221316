#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Turns the image files inside skins into bitmaps: BMP, PNG, JPEG and GIF,
// as far as the image readers at hand know them. Images wider or taller than
// 10000 pixels are refused from their header, before any pixel memory is
// taken. One decoder lives for one skin load.
class CImageDecoder
{
public:
    static constexpr int kScale = 100;
    static constexpr int kMaxWidth = 10000;
    static constexpr int kMaxHeight = 10000;

    // Looks for the readers among the formats given (by default the ones
    // installed); when none can be had it says so in the image library's own
    // "Error" boxes, and every decode fails.
    CImageDecoder();
    explicit CImageDecoder(const QList<QByteArray> &installedFormats);

    bool IsAvailable() const { return !m_formats.isEmpty(); }

    // Decodes the file into a 32-bit RGB bitmap; false (bitmap untouched)
    // when the file cannot be opened, is no image of a known format, is too
    // large or does not decode.
    bool DecodeImageFile(const QString &path, QImage &bitmap) const;

private:
    void LoadLibrary(const QList<QByteArray> &installedFormats);

    QList<QByteArray> m_formats;
};

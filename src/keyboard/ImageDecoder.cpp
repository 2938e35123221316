#include "keyboard/ImageDecoder.h"

#include "platform/Platform.h"

#include <QFile>
#include <QImageReader>

namespace {
const QList<QByteArray> &SkinFormats()
{
    static const QList<QByteArray> formats{"bmp", "png", "jpeg", "gif"};
    return formats;
}
}

CImageDecoder::CImageDecoder()
{
    LoadLibrary(QImageReader::supportedImageFormats());
}

CImageDecoder::CImageDecoder(const QList<QByteArray> &installedFormats)
{
    LoadLibrary(installedFormats);
}

void CImageDecoder::LoadLibrary(const QList<QByteArray> &installedFormats)
{
    const QString error = QStringLiteral("Error");
    // No image readers at all is the handheld's missing library; readers
    // without any skin format are its missing entry point.
    if (installedFormats.isEmpty())
        Platform::MessageBox(QStringLiteral("Could not load image library"), error);
    for (const QByteArray &format : SkinFormats())
        if (installedFormats.contains(format))
            m_formats.append(format);
    if (m_formats.isEmpty())
        Platform::MessageBox(QStringLiteral("Could not load image function"), error);
}

bool CImageDecoder::DecodeImageFile(const QString &path, QImage &bitmap) const
{
    if (!IsAvailable())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead() || !m_formats.contains(reader.format()))
        return false;
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > kMaxWidth || size.height() > kMaxHeight)
        return false;
    const QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return false;
    bitmap = image.convertToFormat(QImage::Format_RGB32);
    return true;
}

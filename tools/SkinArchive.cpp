#include "SkinArchive.h"

#include "keyboard/ImageDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>

#include <sstream>

namespace {
constexpr int kBoardWidth = 240;
constexpr int kBoardHeight = 320;
constexpr int kColorBytes = 4 * kSkinColorCount;

std::istringstream StreamOf(const QByteArray &file)
{
    return std::istringstream(std::string(file.constData(), std::size_t(file.size())), std::ios::binary);
}

bool IsBackground(int image)
{
    return image == SI_BACKGROUND_UP || image == SI_BACKGROUND_DOWN;
}

// Why an image that reached the decoder did not decode.
QString WhyNotDecoded(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("is empty (0 bytes)");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return QStringLiteral("is no image the program knows (BMP, PNG, JPEG or GIF)");
    if (!QList<QByteArray>{"bmp", "png", "jpeg", "gif"}.contains(format))
        return QStringLiteral("is a %1 image; skins take BMP, PNG, JPEG or GIF").arg(QString::fromLatin1(format));
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return QStringLiteral("is a %1 image without pixels (0 x 0) or with a header that cannot be read")
            .arg(QString::fromLatin1(format));
    if (size.width() > CImageDecoder::kMaxWidth || size.height() > CImageDecoder::kMaxHeight)
        return QStringLiteral("is %1 x %2 pixels; images may be at most 10000 x 10000")
            .arg(size.width())
            .arg(size.height());
    return QStringLiteral("does not decode as %1: %2").arg(QString::fromLatin1(format), reader.errorString());
}

// Why the image at offset could not be read out of the file.
QString WhyCutShort(const QByteArray &file, qint64 offset)
{
    const qint64 left = file.size() - offset;
    if (left < 4)
        return QStringLiteral("the file ends before its length (%1 of 4 bytes there)").arg(left);
    std::uint32_t length = 0;
    for (int i = 3; i >= 0; --i)
        length = length << 8 | std::uint8_t(file[offset + i]);
    return QStringLiteral("its length says %1 bytes, but only %2 follow").arg(length).arg(left - 4);
}

void CheckImage(const QImage &image, int index, std::vector<SkinProblem> &problems)
{
    if (IsBackground(index) && image.size() != QSize(kBoardWidth, kBoardHeight))
        problems.push_back({index, QStringLiteral("is %1 x %2 pixels; the backgrounds must be 240 x 320")
                                       .arg(image.width())
                                       .arg(image.height())});
}
}

QString SkinImageFileName(int image)
{
    static const char *const names[kSkinImageCount] = {"key-up",   "key-down",      "enter-up",
                                                       "enter-down", "background-up", "background-down"};
    return QLatin1String(names[image]);
}

QString SkinImageRole(int image)
{
    static const char *const roles[kSkinImageCount] = {
        "key face, released",   "key face, pressed",         "Enter face, released",
        "Enter face, pressed", "board background, released", "board background, pressed"};
    return QLatin1String(roles[image]);
}

bool ReadSkinArchive(const QByteArray &file, SkinArchive &archive, QString &error)
{
    std::istringstream skin = StreamOf(file);
    SkinArchive read;
    for (int i = 0; i < kSkinColorCount; ++i)
        if (!ReadSkinColor(skin, read.m_colors.InFileOrder(i))) {
            error = QStringLiteral("the file ends in the colours (%1 bytes; they take %2)")
                        .arg(file.size())
                        .arg(kColorBytes);
            return false;
        }
    for (int i = 0; i < kSkinImageCount; ++i) {
        const qint64 offset = skin.tellg();
        std::string bytes;
        if (!ReadSkinImage(skin, bytes)) {
            error = QStringLiteral("image %1 (%2): ").arg(i + 1).arg(SkinImageRole(i)) + WhyCutShort(file, offset);
            return false;
        }
        read.m_images[i] = QByteArray::fromStdString(bytes);
    }
    archive = read;
    return true;
}

QByteArray SkinArchiveBytes(const SkinArchive &archive)
{
    SkinColors colors = archive.m_colors;
    std::string file;
    for (int i = 0; i < kSkinColorCount; ++i)
        AppendSkinColor(file, colors.InFileOrder(i));
    for (const QByteArray &image : archive.m_images)
        AppendSkinImage(file, image.toStdString());
    return QByteArray::fromStdString(file);
}

std::vector<SkinProblem> CheckSkin(const QByteArray &file)
{
    std::vector<SkinProblem> problems;
    SkinArchive archive;
    QString error;
    if (!ReadSkinArchive(file, archive, error))
        return {{-1, error}};
    // The window decodes each image from a scratch file, so the check does too.
    const QTemporaryDir scratch;
    const QString tempPath = scratch.filePath(QStringLiteral("tempFile"));
    const CImageDecoder decoder;
    std::istringstream skin = StreamOf(file);
    skin.seekg(kColorBytes);
    for (int i = 0; i < kSkinImageCount; ++i) {
        QImage image;
        if (!ExtractSkinImage(skin, std::filesystem::path(tempPath.toStdU16String())))
            return {{-1, QStringLiteral("the scratch file %1 cannot be written").arg(tempPath)}};
        if (!decoder.DecodeImageFile(tempPath, image))
            problems.push_back({i, WhyNotDecoded(archive.m_images[i])});
        else
            CheckImage(image, i, problems);
    }
    return problems;
}

// quorlex-skin: packs, unpacks and checks the keyboard's skin files (.kbskn).

#include "SkinArchive.h"
#include "SkinColorText.h"
#include "StderrPrompt.h"
#include "ToolFiles.h"

#include "platform/Platform.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

namespace {
// Far beyond any skin: six images of a 240 x 320 screen.
constexpr qint64 kLargestInput = 64 * 1024 * 1024;

constexpr char kUsage[] =
    "usage: quorlex-skin pack OUT.kbskn COLOURS KEY_UP KEY_DOWN ENTER_UP ENTER_DOWN BACKGROUND_UP BACKGROUND_DOWN\n"
    "         COLOURS: seven colours #RRGGBB (key label, key label pressed, pad text, pad selected\n"
    "         text, pad background, pad selection, watermark) or --colors FILE as unpack writes it\n"
    "       quorlex-skin unpack SKIN.kbskn FOLDER\n"
    "         writes colors.txt and the six images (key-up, key-down, enter-up, enter-down,\n"
    "         background-up, background-down) into FOLDER\n"
    "       quorlex-skin check SKIN.kbskn...\n"
    "         reports every reason why the keyboard would not load the skin\n"
    "exit status: 0 done or no problems, 1 failed or problems found, 2 wrong arguments";

int Usage()
{
    PrintError(QString::fromLatin1(kUsage));
    return 2;
}

bool ReadColors(QStringList &arguments, SkinColors &colors, QString &error)
{
    if (arguments.value(0) == QLatin1String("--colors")) {
        const QString path = arguments.value(1);
        QByteArray text;
        if (!ReadWholeFile(path, kLargestInput, text, error))
            return false;
        arguments.remove(0, 2);
        if (SkinColorsFromText(text, colors, error))
            return true;
        error = path + QStringLiteral(": ") + error;
        return false;
    }
    for (int i = 0; i < kSkinColorCount; ++i) {
        const std::optional<std::uint32_t> color = ParseSkinColor(arguments.value(i));
        if (!color) {
            error = QStringLiteral("'%1' is not a colour #RRGGBB (the %2 colour)")
                        .arg(arguments.value(i), SkinColorName(i));
            return false;
        }
        colors.InFileOrder(i) = *color;
    }
    arguments.remove(0, kSkinColorCount);
    return true;
}

int Pack(QStringList arguments)
{
    const QString out = arguments.takeFirst();
    SkinArchive archive;
    QString error;
    if (!ReadColors(arguments, archive.m_colors, error)) {
        PrintError(error);
        return 1;
    }
    if (arguments.size() != kSkinImageCount)
        return Usage();
    for (int i = 0; i < kSkinImageCount; ++i)
        if (!ReadWholeFile(arguments[i], kLargestInput, archive.m_images[i], error)) {
            PrintError(error);
            return 1;
        }
    const QByteArray bytes = SkinArchiveBytes(archive);
    const std::vector<SkinProblem> problems = CheckSkin(bytes);
    for (const SkinProblem &problem : problems)
        PrintError((problem.m_nImage < 0 ? out : arguments[problem.m_nImage]) + QStringLiteral(": ") +
                   problem.m_strText);
    if (!problems.empty()) {
        PrintError(out + QStringLiteral(": not written"));
        return 1;
    }
    if (!WriteWholeFile(out, bytes, error)) {
        PrintError(error);
        return 1;
    }
    return 0;
}

QString ImageExtension(const QByteArray &image)
{
    QBuffer buffer;
    buffer.setData(image);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (format == "jpeg")
        return QStringLiteral("jpg");
    return format.isEmpty() ? QStringLiteral("bin") : QString::fromLatin1(format);
}

int Unpack(const QString &skinPath, const QString &folder)
{
    QByteArray file;
    SkinArchive archive;
    QString error;
    if (!ReadWholeFile(skinPath, kLargestInput, file, error) || !ReadSkinArchive(file, archive, error)) {
        PrintError(error.startsWith(skinPath) ? error : skinPath + QStringLiteral(": ") + error);
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        PrintError(folder + QStringLiteral(": the folder cannot be made"));
        return 1;
    }
    const QDir dir(folder);
    bool written = WriteWholeFile(dir.filePath(QStringLiteral("colors.txt")), SkinColorsToText(archive.m_colors), error);
    for (int i = 0; written && i < kSkinImageCount; ++i) {
        const QString name = SkinImageFileName(i) + QLatin1Char('.') + ImageExtension(archive.m_images[i]);
        written = WriteWholeFile(dir.filePath(name), archive.m_images[i], error);
    }
    if (!written)
        PrintError(error);
    return written ? 0 : 1;
}

bool CheckOne(const QString &path)
{
    QByteArray file;
    QString error;
    if (!ReadWholeFile(path, kLargestInput, file, error)) {
        PrintError(error);
        return false;
    }
    const std::vector<SkinProblem> problems = CheckSkin(file);
    for (const SkinProblem &problem : problems) {
        const QString where = problem.m_nImage < 0 ? QString()
                                                   : QStringLiteral("image %1 (%2) ")
                                                         .arg(problem.m_nImage + 1)
                                                         .arg(SkinImageRole(problem.m_nImage));
        PrintLine(path + QStringLiteral(": ") + where + problem.m_strText);
    }
    if (problems.empty())
        PrintLine(path + QStringLiteral(": the keyboard loads this skin"));
    return problems.empty();
}

}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    StderrPrompt prompt;
    Platform::SetPrompt(&prompt);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    int status = 2;
    if (command == QLatin1String("pack") && arguments.size() >= 1 + 2 + kSkinImageCount)
        status = Pack(arguments);
    else if (command == QLatin1String("unpack") && arguments.size() == 2)
        status = Unpack(arguments[0], arguments[1]);
    else if (command == QLatin1String("check") && !arguments.isEmpty())
        status = CheckEach(arguments, CheckOne);
    else
        status = Usage();
    Platform::SetPrompt(nullptr);
    return status;
}

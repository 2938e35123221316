// quorlex-skin: packs, unpacks and checks the keyboard's skin files (.kbskn).

#include "SkinArchive.h"
#include "SkinColorText.h"
#include "StderrPrompt.h"
#include "ToolFiles.h"

#include "platform/Platform.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <optional>

namespace {
// Far beyond any skin: six images of a 240 x 320 screen.
constexpr qint64 kLargestInput = 64 * 1024 * 1024;

constexpr char kUsage[] =
    "usage: quorlex-skin pack OUT.kbskn COLOURS KEY_UP KEY_DOWN ENTER_UP ENTER_DOWN BACKGROUND_UP BACKGROUND_DOWN\n"
    "         COLOURS: seven colours #RRGGBB (key label, key label pressed, pad text, pad selected\n"
    "         text, pad background, pad selection, watermark) or --colors FILE as unpack writes it;\n"
    "         .kbskn is added to OUT when it lacks it\n"
    "       quorlex-skin unpack SKIN.kbskn FOLDER\n"
    "         writes colors.txt and the six images (key-up, key-down, enter-up, enter-down,\n"
    "         background-up, background-down) into FOLDER, which must be new or empty\n"
    "       quorlex-skin check SKIN.kbskn...\n"
    "         reports every reason why the keyboard would not load the skin\n"
    "       quorlex-skin --help | --version\n"
    "exit status: 0 done or no problems, 1 failed or problems found, 2 wrong arguments";

// Takes the colours from the front of the arguments. A missing argument is
// the caller's to report; a colour that is wrong is reported here.
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

// What is missing from the arguments of pack, or empty.
QString PackArgumentProblem(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return QStringLiteral("pack needs the skin file to write, its colours and six pictures");
    const bool file = arguments.value(1) == QLatin1String("--colors");
    const qsizetype colors = file ? 2 : kSkinColorCount;
    if (arguments.size() - 1 < colors)
        return file ? QStringLiteral("--colors needs a file")
                    : QStringLiteral("pack needs seven colours #RRGGBB or --colors FILE, got %1 arguments after %2")
                          .arg(arguments.size() - 1)
                          .arg(arguments[0]);
    const qsizetype pictures = arguments.size() - 1 - colors;
    if (pictures != kSkinImageCount)
        return QStringLiteral("pack needs six pictures, got %1").arg(pictures);
    return QString();
}

int Pack(QStringList arguments)
{
    const QString problem = PackArgumentProblem(arguments);
    if (!problem.isEmpty())
        return PrintUsage(kUsage, problem);
    const QString out = WithExtension(arguments.takeFirst(), QStringLiteral(".kbskn"));
    SkinArchive archive;
    QString error;
    if (!ReadColors(arguments, archive.m_colors, error)) {
        PrintError(error);
        return 1;
    }
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

bool WriteParts(const SkinArchive &archive, const QDir &dir, QString &error)
{
    bool written = WriteWholeFile(dir.filePath(QStringLiteral("colors.txt")), SkinColorsToText(archive.m_colors), error);
    for (int i = 0; written && i < kSkinImageCount; ++i) {
        const QString name = SkinImageFileName(i) + QLatin1Char('.') + ImageExtension(archive.m_images[i]);
        written = WriteWholeFile(dir.filePath(name), archive.m_images[i], error);
    }
    return written;
}

// The parts go into a scratch folder beside the target, which becomes the
// target only when all of them are written: a failure leaves nothing behind.
bool WriteFolder(const SkinArchive &archive, const QString &target, QString &error)
{
    const QFileInfo info(QDir::cleanPath(target));
    if (!QDir(target).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        error = target + QStringLiteral(": holds files already; unpack into a new or empty folder");
        return false;
    }
    std::optional<QTemporaryDir> scratch;
    if (QDir().mkpath(info.absolutePath()))
        scratch.emplace(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-XXXXXX"));
    if (!scratch || !scratch->isValid()) {
        error = target + QStringLiteral(": the folder cannot be made");
        return false;
    }
    if (!WriteParts(archive, QDir(scratch->path()), error)) {
        error.replace(scratch->path(), target);
        return false;
    }
    // A scratch folder is the user's alone; the folder it becomes is not.
    QFile::setPermissions(scratch->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                               QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    if ((info.exists() && !QDir().rmdir(info.filePath())) || !QDir().rename(scratch->path(), info.filePath())) {
        error = target + QStringLiteral(": the folder cannot be put in place");
        return false;
    }
    scratch->setAutoRemove(false);
    return true;
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
    if (!WriteFolder(archive, folder, error)) {
        PrintError(error);
        return 1;
    }
    return 0;
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
    int status = 2;
    if (AnswerHelpOrVersion(arguments, kUsage, status))
        return status;
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QLatin1String("pack"))
        status = Pack(arguments);
    else if (command == QLatin1String("unpack") && arguments.size() == 2)
        status = Unpack(arguments[0], arguments[1]);
    else if (command == QLatin1String("unpack"))
        status = PrintUsage(kUsage, QStringLiteral("unpack needs a skin file and a folder, got %1 arguments")
                                        .arg(arguments.size()));
    else if (command == QLatin1String("check") && !arguments.isEmpty())
        status = CheckEach(arguments, CheckOne);
    else if (command == QLatin1String("check"))
        status = PrintUsage(kUsage, QStringLiteral("check needs at least one skin file"));
    else
        status = PrintUsage(kUsage, command.isEmpty() ? QStringLiteral("a command is needed: pack, unpack or check")
                                                      : QStringLiteral("unknown command '%1'").arg(command));
    Platform::SetPrompt(nullptr);
    return status;
}

// quorlex-keymap: turns key map files (.kmap) into readable text and back,
// and checks them.

#include "KeyMapCheck.h"
#include "ToolFiles.h"

#include "keymaps/KeyMapText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {
// A key map text is some 10 kilobytes.
constexpr qint64 kLargestText = 1024 * 1024;

constexpr char kUsage[] =
    "usage: quorlex-keymap export MAP.kmap [TEXT]\n"
    "         writes the key map as UTF-8 text, one line per plane and key (to standard output\n"
    "         without TEXT or with -)\n"
    "       quorlex-keymap import TEXT MAP.kmap\n"
    "         makes the key map file from such a text (from standard input with -); .kmap is\n"
    "         added to MAP when it lacks it\n"
    "       quorlex-keymap check MAP.kmap...\n"
    "         warns of control characters, characters on two keys of one plane and missing capitals\n"
    "       quorlex-keymap --help | --version\n"
    "exit status: 0 done or no warnings, 1 failed or warnings found, 2 wrong arguments";

// Reads the 400 bytes the program reads; extra tells how many follow them.
bool ReadMap(const QString &path, KeyMap &map, qint64 &extra)
{
    QFile file(path);
    if (file.exists() && !QFileInfo(path).isFile()) {
        PrintError(path + QStringLiteral(": not a regular file"));
        return false;
    }
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        PrintError(path + (file.exists() ? QStringLiteral(": cannot be read: ") + file.errorString()
                                         : QStringLiteral(": no such file")));
        return false;
    }
    const QByteArray bytes = file.read(kKeyMapBytes);
    if (bytes.size() != qint64(kKeyMapBytes)) {
        PrintError(path + QStringLiteral(": %1 bytes; a key map file holds 400, so the keyboard would use "
                                         "its default key map")
                              .arg(bytes.size()));
        return false;
    }
    std::memcpy(map.Bytes(), bytes.constData(), kKeyMapBytes);
    extra = file.size() - qint64(kKeyMapBytes);
    return true;
}

int Export(const QString &mapPath, const QString &textPath)
{
    KeyMap map;
    qint64 extra = 0;
    if (!ReadMap(mapPath, map, extra))
        return 1;
    const QByteArray text = QByteArray::fromStdString(KeyMapToText(map));
    if (textPath.isEmpty() || textPath == QLatin1String("-")) {
        std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
        return 0;
    }
    QString error;
    if (!WriteWholeFile(textPath, text, error)) {
        PrintError(error);
        return 1;
    }
    return 0;
}

int Import(const QString &textPath, const QString &mapPath)
{
    QByteArray text;
    QString error;
    if (!ReadWholeFile(textPath, kLargestText, text, error)) {
        PrintError(error);
        return 1;
    }
    KeyMap map;
    const KeyMapTextResult result = KeyMapFromText(text.toStdString(), map);
    if (!result.m_bOk) {
        const QString name = textPath == QLatin1String("-") ? QStringLiteral("standard input") : textPath;
        PrintError(name + QStringLiteral(": ") + QString::fromStdString(result.m_strError));
        return 1;
    }
    const QByteArray bytes(reinterpret_cast<const char *>(map.Bytes()), qsizetype(kKeyMapBytes));
    if (!WriteWholeFile(mapPath, bytes, error)) {
        PrintError(error);
        return 1;
    }
    return 0;
}

bool CheckOne(const QString &path)
{
    KeyMap map;
    qint64 extra = 0;
    if (!ReadMap(path, map, extra))
        return false;
    QStringList warnings = CheckKeyMap(map);
    if (extra > 0)
        warnings << QStringLiteral("the %1 bytes after the first 400 are ignored").arg(extra);
    for (const QString &warning : warnings)
        PrintLine(path + QStringLiteral(": warning: ") + warning);
    if (warnings.isEmpty())
        PrintLine(path + QStringLiteral(": no warnings"));
    return warnings.isEmpty();
}

}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    int status = 2;
    if (AnswerHelpOrVersion(arguments, kUsage, status))
        return status;
    const QString command = arguments.value(0);
    const qsizetype count = arguments.size() - 1;
    if (command == QLatin1String("export") && (count == 1 || count == 2))
        return Export(arguments[1], arguments.value(2));
    if (command == QLatin1String("import") && count == 2)
        return Import(arguments[1], WithExtension(arguments[2], QStringLiteral(".kmap")));
    if (command == QLatin1String("check") && count >= 1)
        return CheckEach(arguments.mid(1), CheckOne);
    if (command == QLatin1String("export"))
        return PrintUsage(kUsage, QStringLiteral("export needs a key map file and at most one text file, got %1 "
                                                 "arguments").arg(count));
    if (command == QLatin1String("import"))
        return PrintUsage(kUsage, QStringLiteral("import needs a text file and a key map file, got %1 arguments")
                                      .arg(count));
    if (command == QLatin1String("check"))
        return PrintUsage(kUsage, QStringLiteral("check needs at least one key map file"));
    return PrintUsage(kUsage, command.isEmpty() ? QStringLiteral("a command is needed: export, import or check")
                                                : QStringLiteral("unknown command '%1'").arg(command));
}

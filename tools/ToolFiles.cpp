#include "ToolFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

void PrintLine(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

void PrintError(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

int PrintUsage(const char *usage, const QString &problem)
{
    if (problem.isEmpty()) {
        PrintLine(QString::fromLatin1(usage));
        return 0;
    }
    PrintError(QCoreApplication::applicationName() + QStringLiteral(": ") + problem);
    PrintError(QString::fromLatin1(usage));
    return 2;
}

bool AnswerHelpOrVersion(const QStringList &arguments, const char *usage, int &status)
{
    const QString first = arguments.value(0);
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        status = PrintUsage(usage);
    else if (first == QLatin1String("--version"))
        PrintLine(QCoreApplication::applicationName() + QStringLiteral(" " QUORLEX_VERSION));
    else
        return false;
    status = 0;
    return true;
}

QString WithExtension(const QString &path, const QString &extension)
{
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

bool ReadWholeFile(const QString &path, qint64 limit, QByteArray &bytes, QString &error)
{
    QFile file(path);
    if (path == QLatin1String("-")) {
        file.open(stdin, QIODevice::ReadOnly);
    } else if (!file.exists()) {
        error = path + QStringLiteral(": no such file");
        return false;
    } else if (!QFileInfo(path).isFile()) {
        // Reading a pipe would wait for a writer that never comes.
        error = path + QStringLiteral(": not a regular file");
        return false;
    } else if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": cannot be read: ") + file.errorString();
        return false;
    }
    // Reading one byte beyond the limit tells a huge file (or a device that
    // never ends) without reading all of it. A pipe gives what it has at a
    // time, so it is read until it ends.
    bytes.clear();
    for (QByteArray part; bytes.size() <= limit; bytes += part) {
        part = file.read(limit + 1 - bytes.size());
        if (part.isEmpty())
            break;
    }
    if (bytes.size() > limit) {
        error = path + QStringLiteral(": too large (more than %1 bytes)").arg(limit);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        error = path + QStringLiteral(": cannot be read: ") + file.errorString();
        return false;
    }
    return true;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = path + QStringLiteral(": cannot be written: ") + file.errorString();
        return false;
    }
    return true;
}

int CheckEach(const QStringList &paths, bool (*checkOne)(const QString &path))
{
    bool good = true;
    for (const QString &path : paths)
        good = checkOne(path) && good;
    return good ? 0 : 1;
}

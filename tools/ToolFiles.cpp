#include "ToolFiles.h"

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

bool ReadWholeFile(const QString &path, qint64 limit, QByteArray &bytes, QString &error)
{
    QFile file(path);
    if (!file.exists()) {
        error = path + QStringLiteral(": no such file");
        return false;
    }
    // Reading a pipe would wait for a writer that never comes.
    if (!QFileInfo(path).isFile()) {
        error = path + QStringLiteral(": not a regular file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": cannot be read: ") + file.errorString();
        return false;
    }
    // Reading one byte beyond the limit tells a huge file (or a device that
    // never ends) without reading all of it.
    bytes = file.read(limit + 1);
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

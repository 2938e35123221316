#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {
QString g_strOverride;

const QString kSkinsFolder = QStringLiteral("Skins");

bool HasSkinsFolder(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(kSkinsFolder)).isDir();
}

// QFile::copy refuses an existing target, which is what keeps the user's
// own files: only what is missing arrives.
void CopyMissingFiles(const QString &from, const QString &to)
{
    const QDir source(from);
    QDirIterator files(from, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(path));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(path, target);
    }
}

// The shipped data is share/quorlex beside the bin folder once installed; a
// program file run where it was built has its Skins, KeyMaps and help beside it.
void CopyShippedData(const QString &folder, const QString &programFileFolder)
{
    const QString shipped = QDir(programFileFolder).filePath(QStringLiteral("../share/quorlex"));
    if (QFileInfo(shipped).isDir()) {
        CopyMissingFiles(QDir::cleanPath(shipped), folder);
    } else if (HasSkinsFolder(programFileFolder)) {
        for (const QString &name : {kSkinsFolder, QStringLiteral("KeyMaps")})
            CopyMissingFiles(QDir(programFileFolder).filePath(name), QDir(folder).filePath(name));
        const QString help = QStringLiteral("QuorlexHelp.htm");
        QFile::copy(QDir(programFileFolder).filePath(help), QDir(folder).filePath(help));
    }
}

void FillUserDataFolder(const QString &folder, const QString &programFileFolder)
{
    if (HasSkinsFolder(folder))
        return;
    QDir().mkpath(folder);
    CopyShippedData(folder, programFileFolder);
}

// A --home folder that is not there yet is made and filled as the user's
// folder is; one that exists is the user's as it stands.
bool MakeHomeFolder(const QString &home, const QString &programFileFolder)
{
    if (QFileInfo(home).isDir())
        return true;
    if (!QDir().mkpath(home))
        return false;
    CopyShippedData(home, programFileFolder);
    return true;
}
}

QString ProgramFolder()
{
    if (!g_strOverride.isEmpty())
        return g_strOverride;
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

void SetProgramFolder(const QString &folder)
{
    g_strOverride = folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
}

QString HomeFromArguments(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--home") && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (argument.startsWith(QLatin1String("--home=")))
            return argument.mid(7);
    }
    return QString();
}

QString SetUpProgramFolder(const QString &home, const QString &programFileFolder)
{
    if (!home.isEmpty()) {
        if (!MakeHomeFolder(home, programFileFolder))
            return QString();
        SetProgramFolder(home);
    } else if (HasSkinsFolder(programFileFolder)) {
        SetProgramFolder(programFileFolder);
    } else {
        const QString folder = UserDataFolder();
        FillUserDataFolder(folder, programFileFolder);
        SetProgramFolder(folder);
    }
    return ProgramFolder();
}

// A relative XDG_DATA_HOME is not valid and is ignored, as the desktop's own
// programs do.
QString UserDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/quorlex"));
}

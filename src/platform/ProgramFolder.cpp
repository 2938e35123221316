#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace {
QString g_strOverride;
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

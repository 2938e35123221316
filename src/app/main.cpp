#include "app/CommandLine.h"
#include "app/QuorlexApp.h"
#include "app/ScreenScale.h"
#include "platform/ProgramFolder.h"

#include <QApplication>

#include <cstdio>

namespace {
QStringList Arguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int Print(std::FILE *stream, const QString &text, int result)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    return result;
}
}

int main(int argc, char *argv[])
{
    const CommandLineOptions options = ParseCommandLine(Arguments(argc, argv));
    if (!options.m_strError.isEmpty())
        return Print(stderr, options.m_strError + QLatin1Char('\n') + UsageText(), 2);
    if (options.m_bHelp)
        return Print(stdout, UsageText(), 0);
    if (options.m_bVersion)
        return Print(stdout, VersionText(), 0);

    ApplyScreenScale(options.m_nScale, argc, argv);
    QApplication application(argc, argv);
    SetProgramFolder(options.m_strHome);
    CQuorlexApp quorlex;
    if (!quorlex.InitInstance())
        return 1;
    return application.exec();
}

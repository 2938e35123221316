#include "app/CommandLine.h"

namespace {
// Reads the value of "--name VALUE" or "--name=VALUE" at index i and moves i
// past it; the value is empty when none follows.
bool TakeValue(const QStringList &arguments, int &i, const QString &name, QString &value)
{
    const QString &argument = arguments.at(i);
    if (argument.startsWith(name + QLatin1Char('='))) {
        value = argument.mid(name.size() + 1);
        return true;
    }
    if (argument != name)
        return false;
    if (i + 1 < arguments.size())
        value = arguments.at(++i);
    return true;
}

void ReadScale(const QString &value, CommandLineOptions &options)
{
    bool ok = false;
    const int scale = value.toInt(&ok);
    if (ok && scale >= 1 && scale <= kMaxScale)
        options.m_nScale = scale;
    else
        options.m_strError =
            QStringLiteral("--scale needs a whole number from 1 to %1, not \"%2\".").arg(kMaxScale).arg(value);
}

void ReadHome(const QString &value, CommandLineOptions &options)
{
    if (value.isEmpty())
        options.m_strError = QStringLiteral("--home needs a folder.");
    else
        options.m_strHome = value;
}
}

CommandLineOptions ParseCommandLine(const QStringList &arguments)
{
    CommandLineOptions options;
    for (int i = 1; i < arguments.size() && options.m_strError.isEmpty(); ++i) {
        const QString &argument = arguments.at(i);
        QString value;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            options.m_bHelp = true;
        else if (argument == QLatin1String("--version"))
            options.m_bVersion = true;
        else if (argument == QLatin1String("--quit-after-first-paint"))
            options.m_bQuitAfterFirstPaint = true;
        else if (TakeValue(arguments, i, QStringLiteral("--scale"), value))
            ReadScale(value, options);
        else if (TakeValue(arguments, i, QStringLiteral("--home"), value))
            ReadHome(value, options);
        else if (options.m_strUnknown.isEmpty())
            options.m_strUnknown = argument.startsWith(QLatin1Char('-'))
                                       ? QStringLiteral("Unknown option \"%1\".").arg(argument)
                                       : QStringLiteral("Unexpected argument \"%1\".").arg(argument);
    }
    return options;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage: quorlex [--home DIR] [--scale N] [--help] [--version] [--quit-after-first-paint]\n"
        "               [Qt options such as -platform NAME or -style NAME]\n"
        "A large on-screen keyboard with its own typing pad, on a 240 x 320 screen.\n"
        "\n"
        "  --home DIR   program folder holding LastUsed.txt, KeyMaps and Skins\n"
        "               (default: the program file's folder when Skins is beside it,\n"
        "               else ~/.local/share/quorlex)\n"
        "  --scale N    show every screen pixel as N x N desktop pixels\n"
        "               (default: the largest that fits the desktop)\n"
        "  --help       show this text and quit\n"
        "  --version    show the version and quit\n"
        "  --quit-after-first-paint\n"
        "               quit as soon as the board is first painted (to time the start)\n");
}

QString VersionText()
{
    return QStringLiteral("Quorlex %1\n").arg(QLatin1String(QUORLEX_VERSION));
}

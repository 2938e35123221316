#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Arguments it does not know are left to Qt
// (-platform, -display and the like).
struct CommandLineOptions {
    QString m_strHome;        // the program folder; empty for the program file's
    int m_nScale = 0;         // desktop pixels per screen pixel; 0 for "the largest that fits"
    bool m_bHelp = false;
    bool m_bVersion = false;
    bool m_bQuitAfterFirstPaint = false; // for timing the start from outside
    QString m_strError;       // set when an argument is wrong
};

constexpr int kMaxScale = 16;

CommandLineOptions ParseCommandLine(const QStringList &arguments);
QString UsageText();
QString VersionText();

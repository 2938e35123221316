#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. It is read twice: before Qt starts, for
// what has to be known by then, and again on what Qt leaves of it once it
// has taken its own options (-platform, -style, -display and the like); an
// argument left over then is one that nobody knows.
struct CommandLineOptions {
    QString m_strHome;        // the program folder; empty for the program file's
    int m_nScale = 0;         // desktop pixels per screen pixel; 0 for "the largest that fits"
    bool m_bHelp = false;
    bool m_bVersion = false;
    bool m_bQuitAfterFirstPaint = false; // for timing the start from outside
    QString m_strError;       // set when an argument is wrong
    QString m_strUnknown;     // set for the first argument that is not one of ours
};

constexpr int kMaxScale = 16;

CommandLineOptions ParseCommandLine(const QStringList &arguments);
QString UsageText();
QString VersionText();

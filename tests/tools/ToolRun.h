#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// One run of a built tool: its exit status and what it printed.
struct ToolRun {
    int m_nStatus = -1;
    QString m_strOut;
    QString m_strErr;
};

// input goes to the tool's standard input; childSetup runs in the child
// before the tool starts (to limit what it may do).
inline ToolRun RunTool(const QString &tool, const QStringList &arguments, const QByteArray &input = {},
                       const std::function<void()> &childSetup = {})
{
    QProcess process;
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    process.start(tool, arguments);
    process.write(input);
    process.closeWriteChannel();
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.m_nStatus = process.exitCode();
    run.m_strOut = QString::fromUtf8(process.readAllStandardOutput());
    run.m_strErr = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline const QString kSkinTool = QStringLiteral(QUORLEX_SKIN_TOOL);
inline const QString kKeyMapTool = QStringLiteral(QUORLEX_KEYMAP_TOOL);

inline QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void PutFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

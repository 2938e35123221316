#pragma once

#include "support/DialogDriver.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

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

// Command lines and their outcome: the status (0 done, 1 bad input, 2 wrong
// arguments) and what standard output (when done) or standard error says.
struct ExpectedRun {
    QStringList arguments;
    int status;
    QStringList texts;
};

inline void ExpectRuns(const QString &tool, const std::vector<ExpectedRun> &runs)
{
    for (const ExpectedRun &expected : runs) {
        const ToolRun run = RunTool(tool, expected.arguments);
        EXPECT_EQ(run.m_nStatus, expected.status) << expected.arguments.join(' ').toStdString();
        for (const QString &text : expected.texts)
            EXPECT_TRUE((expected.status == 0 ? run.m_strOut : run.m_strErr).contains(text)) << text.toStdString();
    }
}

// The tools' tests put their files into a program folder of their own.
class ToolTest : public testing::Test
{
protected:
    QString Path(const QString &name) const { return m_environment.ProgramFolder() + "/" + name; }
    QString PutFile(const QString &name, const QByteArray &bytes) const
    {
        return m_environment.WriteProgramFile(name, bytes);
    }
    QByteArray Bytes(const QString &name) const { return FileBytes(Path(name)); }

    TestEnvironment m_environment;
};

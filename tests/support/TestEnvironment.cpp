#include "support/TestEnvironment.h"

#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnvironment::TestEnvironment()
{
    SetVariable("XDG_CONFIG_HOME", m_configFolder.path());
    SetVariable("XDG_DATA_HOME", m_configFolder.filePath(QStringLiteral("data")));
    SetProgramFolder(m_programFolder.path());
    InstallFakes(true);
}

TestEnvironment::~TestEnvironment()
{
    InstallFakes(false);
    SetProgramFolder(QString());
    for (const auto &[name, value] : m_oldVariables)
        value ? qputenv(name, *value) : qunsetenv(name);
}

void TestEnvironment::InstallFakes(bool bInstall)
{
    Platform::SetPrompt(bInstall ? &m_prompt : nullptr);
    Platform::SetBeeper(bInstall ? &m_beeper : nullptr);
    Platform::SetClipboard(bInstall ? &m_clipboard : nullptr);
    Platform::SetWaitCursor(bInstall ? &m_waitCursor : nullptr);
    Platform::SetHotKeys(bInstall ? &m_hotKeys : nullptr);
}

void TestEnvironment::SetVariable(const char *name, const QString &value)
{
    m_oldVariables.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv(name, value.toLocal8Bit());
}

QString TestEnvironment::WriteProgramFile(const QString &relativePath, const QByteArray &bytes) const
{
    const QString path = m_programFolder.filePath(relativePath);
    WriteBytes(path, bytes);
    return path;
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

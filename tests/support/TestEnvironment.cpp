#include "support/TestEnvironment.h"

#include "platform/IniProfile.h"
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
    Platform::SetPrompt(&m_prompt);
    Platform::SetBeeper(&m_beeper);
    Platform::SetClipboard(&m_clipboard);
    Platform::SetWaitCursor(&m_waitCursor);
    Platform::SetHotKeys(&m_hotKeys);
}

TestEnvironment::~TestEnvironment()
{
    Platform::SetPrompt(nullptr);
    Platform::SetBeeper(nullptr);
    Platform::SetClipboard(nullptr);
    Platform::SetWaitCursor(nullptr);
    Platform::SetHotKeys(nullptr);
    SetProgramFolder(QString());
    for (const auto &[name, value] : m_oldVariables)
        value ? qputenv(name, *value) : qunsetenv(name);
}

void TestEnvironment::SetVariable(const char *name, const QString &value)
{
    m_oldVariables.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv(name, value.toLocal8Bit());
}

QString TestEnvironment::PreferencesFile() const
{
    return IniProfile::PreferencesPath();
}

QString TestEnvironment::WriteProgramFile(const QString &relativePath, const QByteArray &bytes) const
{
    const QString path = m_programFolder.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

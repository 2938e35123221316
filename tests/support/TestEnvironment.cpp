#include "support/TestEnvironment.h"

#include "platform/IniProfile.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

TestEnvironment::TestEnvironment()
    : m_oldConfigHome(qgetenv("XDG_CONFIG_HOME")), m_bHadConfigHome(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_configFolder.path().toLocal8Bit());
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
    if (m_bHadConfigHome)
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
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

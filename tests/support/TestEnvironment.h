#pragma once

#include "platform/IniProfile.h"
#include "support/Fakes.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <utility>
#include <vector>

// One test's world: its own program folder and settings folder (with the
// user's data folder, XDG_DATA_HOME, below it), and the fakes for message
// boxes, beeps, clipboard, wait cursor and hot keys, put in place for the
// test's lifetime and taken out again afterwards.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment &) = delete;
    TestEnvironment &operator=(const TestEnvironment &) = delete;

    QString ProgramFolder() const { return m_programFolder.path(); }
    QString ConfigFolder() const { return m_configFolder.path(); }
    // The preferences file the program reads and writes.
    QString PreferencesFile() const { return IniProfile::PreferencesPath(); }
    // Writes a file below the program folder (folders made as needed).
    QString WriteProgramFile(const QString &relativePath, const QByteArray &bytes) const;

    FakePrompt m_prompt;
    FakeBeeper m_beeper;
    FakeClipboard m_clipboard;
    FakeWaitCursor m_waitCursor;
    FakeHotKeys m_hotKeys;

private:
    void SetVariable(const char *name, const QString &value);
    // Puts the fakes in place, or takes them out again.
    void InstallFakes(bool bInstall);

    QTemporaryDir m_programFolder;
    QTemporaryDir m_configFolder;
    // Each variable set, with its value before (none when it was unset).
    std::vector<std::pair<const char *, std::optional<QByteArray>>> m_oldVariables;
};

// Writes a file with its folders made as needed; false when it cannot be written.
bool WriteBytes(const QString &path, const QByteArray &bytes);

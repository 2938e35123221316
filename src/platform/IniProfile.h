#pragma once

#include "platform/Profile.h"

#include <QString>

// The profile over an INI file. The only place in the program that touches
// QSettings. Integers are stored as decimal text; one that does not parse
// (or lies outside 32 bits) reads as the default.
class IniProfile : public Profile
{
public:
    explicit IniProfile(const QString &filePath);

    // $XDG_CONFIG_HOME/Vorlane Corporation/quorlex.ini, the preferences.
    static QString PreferencesPath();
    // shell-keys.ini beside it, the stand-in for the shell's hardware-button keys.
    static QString ShellKeysPath();

    int GetInt(const std::u16string &section, const std::u16string &name, int defaultValue) const override;
    std::u16string GetString(const std::u16string &section, const std::u16string &name,
                             const std::u16string &defaultValue) const override;
    bool WriteInt(const std::u16string &section, const std::u16string &name, int value) override;
    bool WriteString(const std::u16string &section, const std::u16string &name,
                     const std::u16string &value) override;

    QString FilePath() const { return m_strFilePath; }

private:
    QString m_strFilePath;
};

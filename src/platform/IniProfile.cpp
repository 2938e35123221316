#include "platform/IniProfile.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace {
QString Key(const std::u16string &section, const std::u16string &name)
{
    return QString::fromStdU16String(section) + QLatin1Char('/') + QString::fromStdU16String(name);
}

QString ConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Vorlane Corporation");
}
}

IniProfile::IniProfile(const QString &filePath) : m_strFilePath(filePath) {}

QString IniProfile::PreferencesPath()
{
    return ConfigFolder() + QStringLiteral("/quorlex.ini");
}

QString IniProfile::ShellKeysPath()
{
    return ConfigFolder() + QStringLiteral("/shell-keys.ini");
}

int IniProfile::GetInt(const std::u16string &section, const std::u16string &name, int defaultValue) const
{
    const QSettings store(m_strFilePath, QSettings::IniFormat);
    const QVariant value = store.value(Key(section, name));
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

std::u16string IniProfile::GetString(const std::u16string &section, const std::u16string &name,
                                     const std::u16string &defaultValue) const
{
    const QSettings store(m_strFilePath, QSettings::IniFormat);
    const QVariant value = store.value(Key(section, name));
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return defaultValue;
    return value.toString().toStdU16String();
}

bool IniProfile::WriteInt(const std::u16string &section, const std::u16string &name, int value)
{
    QDir().mkpath(QFileInfo(m_strFilePath).absolutePath());
    QSettings store(m_strFilePath, QSettings::IniFormat);
    store.setValue(Key(section, name), QString::number(value));
    store.sync();
    return store.status() == QSettings::NoError;
}

bool IniProfile::WriteString(const std::u16string &section, const std::u16string &name,
                             const std::u16string &value)
{
    QDir().mkpath(QFileInfo(m_strFilePath).absolutePath());
    QSettings store(m_strFilePath, QSettings::IniFormat);
    store.setValue(Key(section, name), QString::fromStdU16String(value));
    store.sync();
    return store.status() == QSettings::NoError;
}

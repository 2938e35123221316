#include "settings/Settings.h"

#include "platform/Profile.h"

namespace {
unsigned char ReadFlag(const Profile &profile, const char16_t *name, unsigned char defaultValue)
{
    return profile.GetInt(kSettingsSection, name, defaultValue) != 0 ? 1 : 0;
}

int ReadInt(const Profile &profile, const char16_t *name, int defaultValue)
{
    return profile.GetInt(kSettingsSection, name, defaultValue);
}

std::u16string ReadString(const Profile &profile, const char16_t *name, const std::u16string &defaultValue)
{
    return profile.GetString(kSettingsSection, name, defaultValue);
}
}

void LoadSettings(Settings &settings, const Profile &profile)
{
    const Settings defaults;
    settings.m_nKeyLayout = ReadInt(profile, u"Key Layout", defaults.m_nKeyLayout);
    settings.m_strKeyMap = ReadString(profile, u"Key Map", defaults.m_strKeyMap);
    settings.m_strSkin = ReadString(profile, u"Skin", defaults.m_strSkin);
    settings.m_bRepeatKey = ReadFlag(profile, u"Repeat Key", defaults.m_bRepeatKey);
    settings.m_bCopyOnExit = ReadFlag(profile, u"Copy On Exit", defaults.m_bCopyOnExit);
    settings.m_bOpenKBOnStart = ReadFlag(profile, u"Open KB On Start", defaults.m_bOpenKBOnStart);
    settings.m_nOnStartAction = ReadInt(profile, u"On Start Action", defaults.m_nOnStartAction);
    settings.m_strFontName = ReadString(profile, u"Font Name", defaults.m_strFontName);
    settings.m_nFontSize = ReadInt(profile, u"Font Size", defaults.m_nFontSize);
    settings.m_bFontBold = ReadFlag(profile, u"Font Bold", defaults.m_bFontBold);
    settings.m_bFontItalic = ReadFlag(profile, u"Font Italic", defaults.m_bFontItalic);
    settings.m_bFontStrike = ReadFlag(profile, u"Font Strike", defaults.m_bFontStrike);
    settings.m_bFontUnderline = ReadFlag(profile, u"Font Underline", defaults.m_bFontUnderline);
    settings.m_nRepeatInterval = ReadInt(profile, u"Repeat Interval", defaults.m_nRepeatInterval);
    settings.m_bAssignHotkey = ReadFlag(profile, u"Assign Hotkey", defaults.m_bAssignHotkey);
    settings.m_nHotkeyNum = ReadInt(profile, u"Hotkey Num", defaults.m_nHotkeyNum);
    settings.m_bRightHanded = ReadFlag(profile, u"Direction", defaults.m_bRightHanded);
}

void SaveSettings(const Settings &settings, Profile &profile)
{
    const std::u16string section = kSettingsSection;
    profile.WriteInt(section, u"Repeat Key", settings.m_bRepeatKey != 0);
    profile.WriteInt(section, u"Repeat Interval", settings.m_nRepeatInterval);
    profile.WriteInt(section, u"Copy On Exit", settings.m_bCopyOnExit != 0);
    profile.WriteInt(section, u"Open KB On Start", settings.m_bOpenKBOnStart != 0);
    profile.WriteInt(section, u"On Start Action", settings.m_nOnStartAction);
    profile.WriteInt(section, u"Assign Hotkey", settings.m_bAssignHotkey != 0);
    profile.WriteInt(section, u"Hotkey Num", settings.m_nHotkeyNum);
    profile.WriteInt(section, u"Key Layout", settings.m_nKeyLayout);
    profile.WriteString(section, u"Key Map", settings.m_strKeyMap);
    profile.WriteString(section, u"Skin", settings.m_strSkin);
    profile.WriteString(section, u"Font Name", settings.m_strFontName);
    profile.WriteInt(section, u"Font Size", settings.m_nFontSize);
    profile.WriteInt(section, u"Font Bold", settings.m_bFontBold != 0);
    profile.WriteInt(section, u"Font Italic", settings.m_bFontItalic != 0);
    profile.WriteInt(section, u"Font Strike", settings.m_bFontStrike != 0);
    profile.WriteInt(section, u"Font Underline", settings.m_bFontUnderline != 0);
    profile.WriteInt(section, u"Direction", settings.m_bRightHanded != 0);
}

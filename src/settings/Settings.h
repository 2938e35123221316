#pragma once

#include <string>

class Profile;

// The user's preferences, read once at start and written back only when the
// preference sheet is confirmed. Flags are held as 0 or 1.
struct Settings {
    int m_nKeyLayout = 2;
    std::u16string m_strKeyMap = u"Default Key Map";
    std::u16string m_strSkin = u"Default Skin";
    unsigned char m_bRepeatKey = 1;
    unsigned char m_bCopyOnExit = 1;
    unsigned char m_bOpenKBOnStart = 1;
    int m_nOnStartAction = 0;
    std::u16string m_strFontName = u"Tahoma";
    int m_nFontSize = 12;
    unsigned char m_bFontBold = 0;
    unsigned char m_bFontItalic = 0;
    unsigned char m_bFontStrike = 0;
    unsigned char m_bFontUnderline = 0;
    int m_nRepeatInterval = 200;
    unsigned char m_bAssignHotkey = 0;
    int m_nHotkeyNum = -1;
    unsigned char m_bRightHanded = 1;
    // Not stored: the folder of the program file (or the one given with --home).
    std::u16string m_strProgramFolder;
};

// The section every value lives in.
inline constexpr char16_t kSettingsSection[] = u"Quorlex";

// Reads all seventeen values; missing or mistyped ones give the defaults.
// The program folder is left as it is: the caller sets it.
void LoadSettings(Settings &settings, const Profile &profile);

// Writes all seventeen values, changed or not. Write failures are ignored.
void SaveSettings(const Settings &settings, Profile &profile);

#include "settings/Settings.h"
#include "platform/IniProfile.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

namespace {
auto Fields(const Settings &s)
{
    return std::tuple(s.m_nKeyLayout, s.m_strKeyMap, s.m_strSkin, s.m_bRepeatKey, s.m_bCopyOnExit, s.m_bOpenKBOnStart,
                      s.m_nOnStartAction, s.m_strFontName, s.m_nFontSize, s.m_bFontBold, s.m_bFontItalic,
                      s.m_bFontStrike, s.m_bFontUnderline, s.m_nRepeatInterval, s.m_bAssignHotkey, s.m_nHotkeyNum,
                      s.m_bRightHanded);
}

Settings Loaded(Settings settings = {})
{
    LoadSettings(settings, IniProfile(IniProfile::PreferencesPath()));
    return settings;
}
}

// The settings file's place is proven by the real-window runs, which write it
// there before the program starts.
TEST(Settings, NoFileGivesTheDefaultsGarbageItsDefaultsOrNormalisedFlagsAndSaveWritesAllSeventeen)
{
    TestEnvironment environment;
    EXPECT_EQ(IniProfile::ShellKeysPath(), environment.ConfigFolder() + "/Vorlane Corporation/shell-keys.ini");
    Settings settings;
    std::tie(settings.m_nKeyLayout, settings.m_strSkin, settings.m_nHotkeyNum) = std::tuple(0, u"x", 3);
    settings = Loaded(settings);
    EXPECT_EQ(Fields(settings), std::tuple(2, u"Default Key Map", u"Default Skin", 1, 1, 1, 0, u"Tahoma", 12, 0, 0, 0,
                                           0, 200, 0, -1, 1));
    // Flags are normalised, ranges left alone, unreadable values give their default.
    ASSERT_TRUE(WriteBytes(IniProfile::PreferencesPath(),
                           "[Quorlex]\nKey%20Layout=9\nFont%20Size=99999999999999999999\nRepeat%20Interval=banana\n"
                           "Direction=5\nFont%20Bold=-7\nOn%20Start%20Action=7\nSkin=Dark.kbskn\nKey%20Map=a, b\n"
                           "\x01\x02garbage line without equals\n"));
    const Settings garbage = Loaded();
    EXPECT_EQ(std::tuple(garbage.m_nKeyLayout, garbage.m_nFontSize, garbage.m_nRepeatInterval, garbage.m_bRightHanded,
                         garbage.m_bFontBold, garbage.m_nOnStartAction, garbage.m_strSkin, garbage.m_strKeyMap),
              std::tuple(9, 12, 200, 1, 1, 7, u"Dark.kbskn", u"Default Key Map"));
    std::tie(settings.m_strKeyMap, settings.m_strFontName, settings.m_nRepeatInterval, settings.m_bFontBold,
             settings.m_bRightHanded) = std::tuple(u"German, Swiss.kmap", u"DejaVu Sans \u00e9", 30, 1, 0);
    ASSERT_TRUE(QFile::remove(IniProfile::PreferencesPath()));
    {
        IniProfile profile(IniProfile::PreferencesPath());
        SaveSettings(settings, profile);
    }
    EXPECT_EQ(Fields(Loaded()), Fields(settings));
    EXPECT_EQ(QSettings(IniProfile::PreferencesPath(), QSettings::IniFormat).allKeys().size(), 17);
}

#include "settings/Settings.h"
#include "platform/IniProfile.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

// The settings file's place is proven by the real-window runs, which write it
// there before the program starts.
TEST(IniProfile, ReadsGarbageAsDefaultsAndKeepsWrittenValues)
{
    TestEnvironment environment;
    EXPECT_EQ(IniProfile::ShellKeysPath(), environment.ConfigFolder() + "/Vorlane Corporation/shell-keys.ini");
    ASSERT_TRUE(WriteBytes(IniProfile::PreferencesPath(),
                           "[Quorlex]\nKey%20Layout=banana\nFont%20Size=99999999999999999999\nRepeat%20Interval=300\n"
                           "Direction=5\nSkin=Dark.kbskn\nKey%20Map=a, b\n\x01\x02garbage line without equals\n"));
    Settings settings;
    LoadSettings(settings, IniProfile(IniProfile::PreferencesPath()));
    EXPECT_EQ(std::tuple(settings.m_nKeyLayout, settings.m_nFontSize, settings.m_nRepeatInterval, settings.m_bRightHanded,
                         settings.m_strSkin, settings.m_strKeyMap),
              std::tuple(2, 12, 300, 1, u"Dark.kbskn", u"Default Key Map"));
    std::tie(settings.m_strKeyMap, settings.m_strFontName, settings.m_nHotkeyNum, settings.m_bRightHanded) =
        std::tuple(u"German, Swiss.kmap", u"DejaVu Sans \u00e9", 3, 0);
    {
        IniProfile profile(IniProfile::PreferencesPath());
        SaveSettings(settings, profile);
    }
    Settings reread;
    LoadSettings(reread, IniProfile(IniProfile::PreferencesPath()));
    EXPECT_EQ(std::tuple(reread.m_strKeyMap, reread.m_strFontName, reread.m_nHotkeyNum, reread.m_bRightHanded),
              std::tuple(u"German, Swiss.kmap", u"DejaVu Sans \u00e9", 3, 0));
}

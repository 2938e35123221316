#include "settings/Settings.h"
#include "platform/IniProfile.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
void WriteText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}
}

TEST(IniProfile, LivesUnderTheConfigFolderOfTheTest)
{
    TestEnvironment environment;
    EXPECT_EQ(IniProfile::PreferencesPath(), environment.ConfigFolder() + "/Vorlane Corporation/quorlex.ini");
    EXPECT_EQ(IniProfile::ShellKeysPath(), environment.ConfigFolder() + "/Vorlane Corporation/shell-keys.ini");
}

TEST(IniProfile, GarbageValuesGiveTheDefaultsAndNothingElseChanges)
{
    TestEnvironment environment;
    WriteText(IniProfile::PreferencesPath(), "[Quorlex]\n"
                                             "Key%20Layout=banana\n"
                                             "Font%20Size=99999999999999999999\n"
                                             "Repeat%20Interval=300\n"
                                             "Direction=5\n"
                                             "Skin=Dark.kbskn\n"
                                             "Key%20Map=a, b\n"
                                             "\x01\x02garbage line without equals\n");
    IniProfile profile(IniProfile::PreferencesPath());
    Settings settings;
    LoadSettings(settings, profile);
    EXPECT_EQ(settings.m_nKeyLayout, 2);
    EXPECT_EQ(settings.m_nFontSize, 12);
    EXPECT_EQ(settings.m_nRepeatInterval, 300);
    EXPECT_EQ(settings.m_bRightHanded, 1);
    EXPECT_EQ(settings.m_strSkin, u"Dark.kbskn");
    EXPECT_EQ(settings.m_strKeyMap, u"Default Key Map");
}

TEST(IniProfile, WrittenValuesReadBackWithTheirTypes)
{
    TestEnvironment environment;
    {
        IniProfile profile(IniProfile::PreferencesPath());
        Settings settings;
        settings.m_strKeyMap = u"German, Swiss.kmap";
        settings.m_strFontName = u"DejaVu Sans \u00e9";
        settings.m_nHotkeyNum = 3;
        settings.m_bRightHanded = 0;
        SaveSettings(settings, profile);
    }
    IniProfile profile(IniProfile::PreferencesPath());
    Settings settings;
    LoadSettings(settings, profile);
    EXPECT_EQ(settings.m_strKeyMap, u"German, Swiss.kmap");
    EXPECT_EQ(settings.m_strFontName, u"DejaVu Sans \u00e9");
    EXPECT_EQ(settings.m_nHotkeyNum, 3);
    EXPECT_EQ(settings.m_bRightHanded, 0);
}

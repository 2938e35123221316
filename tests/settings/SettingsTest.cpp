#include "platform/Profile.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace {
// A profile in memory that keeps the order of writes and can hold a value of
// the wrong type, as a registry value of the wrong kind.
class MemoryProfile : public Profile
{
public:
    using Value = std::variant<int, std::u16string>;

    int GetInt(const std::u16string &section, const std::u16string &name, int defaultValue) const override
    {
        auto it = m_values.find(section + u"/" + name);
        if (it == m_values.end() || !std::holds_alternative<int>(it->second))
            return defaultValue;
        return std::get<int>(it->second);
    }
    std::u16string GetString(const std::u16string &section, const std::u16string &name,
                             const std::u16string &defaultValue) const override
    {
        auto it = m_values.find(section + u"/" + name);
        if (it == m_values.end() || !std::holds_alternative<std::u16string>(it->second))
            return defaultValue;
        return std::get<std::u16string>(it->second);
    }
    bool WriteInt(const std::u16string &section, const std::u16string &name, int value) override
    {
        m_writes.push_back(name);
        m_values[section + u"/" + name] = value;
        return true;
    }
    bool WriteString(const std::u16string &section, const std::u16string &name, const std::u16string &value) override
    {
        m_writes.push_back(name);
        m_values[section + u"/" + name] = value;
        return true;
    }

    std::map<std::u16string, Value> m_values;
    std::vector<std::u16string> m_writes;
};
}

TEST(Settings, EmptyStoreGivesEveryDefault)
{
    MemoryProfile profile;
    Settings settings;
    settings.m_nKeyLayout = 0;
    settings.m_strSkin = u"x";
    LoadSettings(settings, profile);

    EXPECT_EQ(settings.m_nKeyLayout, 2);
    EXPECT_EQ(settings.m_strKeyMap, u"Default Key Map");
    EXPECT_EQ(settings.m_strSkin, u"Default Skin");
    EXPECT_EQ(settings.m_bRepeatKey, 1);
    EXPECT_EQ(settings.m_bCopyOnExit, 1);
    EXPECT_EQ(settings.m_bOpenKBOnStart, 1);
    EXPECT_EQ(settings.m_nOnStartAction, 0);
    EXPECT_EQ(settings.m_strFontName, u"Tahoma");
    EXPECT_EQ(settings.m_nFontSize, 12);
    EXPECT_EQ(settings.m_bFontBold + settings.m_bFontItalic + settings.m_bFontStrike + settings.m_bFontUnderline, 0);
    EXPECT_EQ(settings.m_nRepeatInterval, 200);
    EXPECT_EQ(settings.m_bAssignHotkey, 0);
    EXPECT_EQ(settings.m_nHotkeyNum, -1);
    EXPECT_EQ(settings.m_bRightHanded, 1);
}

TEST(Settings, FlagsAreNormalisedAndRangesLeftAlone)
{
    MemoryProfile profile;
    profile.m_values[u"Quorlex/Direction"] = 5;
    profile.m_values[u"Quorlex/Font Bold"] = -7;
    profile.m_values[u"Quorlex/Key Layout"] = 9;
    profile.m_values[u"Quorlex/On Start Action"] = 7;
    Settings settings;
    LoadSettings(settings, profile);
    EXPECT_EQ(settings.m_bRightHanded, 1);
    EXPECT_EQ(settings.m_bFontBold, 1);
    EXPECT_EQ(settings.m_nKeyLayout, 9);
    EXPECT_EQ(settings.m_nOnStartAction, 7);

    SaveSettings(settings, profile);
    EXPECT_EQ(std::get<int>(profile.m_values[u"Quorlex/Direction"]), 1);
}

TEST(Settings, ValueOfTheWrongTypeGivesTheDefaultForThatValueOnly)
{
    MemoryProfile profile;
    profile.m_values[u"Quorlex/Font Size"] = std::u16string(u"huge");
    profile.m_values[u"Quorlex/Skin"] = 3;
    profile.m_values[u"Quorlex/Repeat Interval"] = 50;
    Settings settings;
    LoadSettings(settings, profile);
    EXPECT_EQ(settings.m_nFontSize, 12);
    EXPECT_EQ(settings.m_strSkin, u"Default Skin");
    EXPECT_EQ(settings.m_nRepeatInterval, 50);
}

TEST(Settings, SaveWritesAllSeventeenInTheirOrder)
{
    MemoryProfile profile;
    Settings settings;
    SaveSettings(settings, profile);
    const std::vector<std::u16string> order = {
        u"Repeat Key", u"Repeat Interval", u"Copy On Exit", u"Open KB On Start", u"On Start Action",
        u"Assign Hotkey", u"Hotkey Num", u"Key Layout", u"Key Map", u"Skin", u"Font Name", u"Font Size",
        u"Font Bold", u"Font Italic", u"Font Strike", u"Font Underline", u"Direction"};
    EXPECT_EQ(profile.m_writes, order);

    Settings reread;
    reread.m_nHotkeyNum = 3;
    LoadSettings(reread, profile);
    EXPECT_EQ(reread.m_nHotkeyNum, -1);
    EXPECT_EQ(reread.m_strKeyMap, u"Default Key Map");
}

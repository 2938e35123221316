#include "platform/Profile.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace {
// A profile in memory that keeps the order of writes; a value of the wrong
// kind reads as missing, as a registry value of the wrong type does.
struct MemoryProfile : Profile {
    template <typename T>
    T Get(const std::u16string &section, const std::u16string &name, T defaultValue) const
    {
        const auto it = m_values.find(section + u"/" + name);
        return it != m_values.end() && std::holds_alternative<T>(it->second) ? std::get<T>(it->second) : defaultValue;
    }
    int GetInt(const std::u16string &section, const std::u16string &name, int defaultValue) const override
    {
        return Get(section, name, defaultValue);
    }
    std::u16string GetString(const std::u16string &section, const std::u16string &name,
                             const std::u16string &defaultValue) const override
    {
        return Get(section, name, defaultValue);
    }
    bool WriteInt(const std::u16string &section, const std::u16string &name, int value) override
    {
        return m_writes.push_back(name), m_values[section + u"/" + name] = value, true;
    }
    bool WriteString(const std::u16string &section, const std::u16string &name, const std::u16string &value) override
    {
        return m_writes.push_back(name), m_values[section + u"/" + name] = value, true;
    }
    std::map<std::u16string, std::variant<int, std::u16string>> m_values;
    std::vector<std::u16string> m_writes;
};

auto Fields(const Settings &s)
{
    return std::tuple(s.m_nKeyLayout, s.m_strKeyMap, s.m_strSkin, s.m_bRepeatKey, s.m_bCopyOnExit, s.m_bOpenKBOnStart,
                      s.m_nOnStartAction, s.m_strFontName, s.m_nFontSize, s.m_bFontBold, s.m_bFontItalic,
                      s.m_bFontStrike, s.m_bFontUnderline, s.m_nRepeatInterval, s.m_bAssignHotkey, s.m_nHotkeyNum,
                      s.m_bRightHanded);
}
}

TEST(Settings, AnEmptyStoreGivesTheDefaultsSaveWritesAllSeventeenInOrderAndFlagsAreNormalised)
{
    MemoryProfile profile;
    Settings settings;
    std::tie(settings.m_nKeyLayout, settings.m_strSkin, settings.m_nHotkeyNum) = std::tuple(0, u"x", 3);
    LoadSettings(settings, profile);
    EXPECT_EQ(Fields(settings), std::tuple(2, u"Default Key Map", u"Default Skin", 1, 1, 1, 0, u"Tahoma", 12, 0, 0, 0,
                                           0, 200, 0, -1, 1));
    std::tie(settings.m_strKeyMap, settings.m_nRepeatInterval, settings.m_bRightHanded) = std::tuple(u"K", 30, 0);
    SaveSettings(settings, profile);
    EXPECT_EQ(profile.m_writes,
              (std::vector<std::u16string>{u"Repeat Key", u"Repeat Interval", u"Copy On Exit", u"Open KB On Start",
                                           u"On Start Action", u"Assign Hotkey", u"Hotkey Num", u"Key Layout",
                                           u"Key Map", u"Skin", u"Font Name", u"Font Size", u"Font Bold",
                                           u"Font Italic", u"Font Strike", u"Font Underline", u"Direction"}));
    Settings reread;
    LoadSettings(reread, profile);
    EXPECT_EQ(Fields(reread), Fields(settings));
    // Flags are normalised, ranges left alone, mistyped values give their default.
    profile.m_values.clear();
    for (const auto &[name, value] : {std::pair<std::u16string, std::variant<int, std::u16string>>{u"Direction", 5},
                                      {u"Font Bold", -7}, {u"Key Layout", 9}, {u"On Start Action", 7},
                                      {u"Font Size", u"huge"}, {u"Skin", 3}, {u"Repeat Interval", 50}})
        profile.m_values[std::u16string(kSettingsSection) + u"/" + name] = value;
    Settings mistyped;
    LoadSettings(mistyped, profile);
    EXPECT_EQ(std::tuple(mistyped.m_bRightHanded, mistyped.m_bFontBold, mistyped.m_nKeyLayout, mistyped.m_nOnStartAction,
                         mistyped.m_nFontSize, mistyped.m_strSkin, mistyped.m_nRepeatInterval),
              std::tuple(1, 1, 9, 7, 12, u"Default Skin", 50));
}

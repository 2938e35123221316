#include "settings/Settings.h"
#include "platform/HotKeys.h"
#include "platform/IniProfile.h"
#include "prefs/HotkeyChoice.h"
#include "prefs/ShellButtons.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {
const std::u16string kShortcut = kQuorlexShortcutCommand;

std::u16string ShellValue(int button, const std::u16string &name = u"Default")
{
    return IniProfile(IniProfile::ShellKeysPath()).GetString(ShellButtons::KeyName(button), name, u"(none)");
}

void SetShellValue(int button, const std::u16string &name, const std::u16string &value)
{
    IniProfile(IniProfile::ShellKeysPath()).WriteString(ShellButtons::KeyName(button), name, value);
}
}

TEST(ShellButtons, CurrentAssignmentIsTheNameBetweenLastBackslashAndLastDot)
{
    TestEnvironment environment;
    IniProfile store(IniProfile::ShellKeysPath());
    // Longer than the shell's 256-byte buffer: unreadable, so shown empty.
    const std::pair<std::u16string, std::u16string> cases[] = {{kShortcut, u"Quorlex"},
        {u"\\Windows\\Program Files\\my.notes.v2.exe", u"my.notes.v2"}, {u"calendar", u"calendar"},
        {std::u16string(128, u'x'), u""}};
    for (int button = 1; button <= 4; ++button) {
        SetShellValue(button, u"Default", cases[button - 1].first);
        EXPECT_EQ(ShellButtons(store).CurrentAssignmentName(button), cases[button - 1].second);
    }
    EXPECT_EQ(ShellButtons(store).CurrentAssignmentName(0), u"");
    EXPECT_FALSE(ShellButtons(store).Restore(5));
    EXPECT_EQ(ShellValue(5), u"(none)");
}

// Turning the assignment off restores the old button's ResetCmd (when it has
// one) and unregisters; a new button is given the shortcut and its key
// registered; with no button chosen key 40C0 is used.
TEST(HotkeyChoice, TheOldButtonIsRestoredTheNewOneAssignedAndItsKeyRegistered)
{
    struct Case {
        bool assignBefore;
        int before, assign, number;
        std::vector<std::tuple<int, std::u16string, std::u16string>> shell;
        std::vector<std::pair<int, std::u16string>> after;
        unsigned key;
    };
    const std::u16string contacts = u"\\Windows\\contacts.exe", calendar = u"\\Windows\\calendar.exe";
    const Case cases[] = {
        {true, 2, 0, 0, {{2, u"Default", kShortcut}, {2, u"ResetCmd", contacts}}, {{2, contacts}}, 0},
        {true, 2, 1, 3, {{2, u"Default", kShortcut}, {2, u"ResetCmd", calendar}, {3, u"Default", u"tasks.exe"}},
         {{2, calendar}, {3, kShortcut}}, 0xC3},
        {true, 1, 1, 1, {{1, u"Default", u"other.exe"}, {1, u"ResetCmd", u"inbox.exe"}}, {{1, kShortcut}}, 0xC1},
        {true, 4, 0, 0, {{4, u"Default", kShortcut}}, {{4, kShortcut}}, 0},
        {false, -1, 1, 0, {}, {{0, kShortcut}}, 0xC0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " to " << c.number);
        TestEnvironment environment;
        QWidget frame;
        if (c.assignBefore)
            environment.m_hotKeys.Register(&frame, HOTKEY_ID_KEYBOARD, MOD_WIN, 0xC0 + c.before);
        for (const auto &[button, name, value] : c.shell)
            SetShellValue(button, name, value);
        Settings settings;
        std::tie(settings.m_bAssignHotkey, settings.m_nHotkeyNum) = std::tuple(c.assignBefore, c.before);
        ApplyHotkeyChoice(settings, c.assign, c.number, &frame);
        for (const auto &[button, value] : c.after)
            EXPECT_EQ(ShellValue(button), value) << button;
        EXPECT_TRUE(settings.m_bAssignHotkey == c.assign && settings.m_nHotkeyNum == c.number);
        EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), c.key);
        EXPECT_EQ(environment.m_hotKeys.m_registered.size(), c.key ? 1u : 0u);
        for (const FakeHotKeys::Call &call : environment.m_hotKeys.m_calls)
            EXPECT_TRUE(call.window == &frame && call.id == HOTKEY_ID_KEYBOARD && (!call.bRegister || call.modifiers == MOD_WIN));
    }
}

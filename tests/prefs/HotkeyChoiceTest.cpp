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
    const IniProfile store(IniProfile::ShellKeysPath());
    return store.GetString(ShellButtons::KeyName(button), name, u"(none)");
}

void SetShellValue(int button, const std::u16string &name, const std::u16string &value)
{
    IniProfile store(IniProfile::ShellKeysPath());
    store.WriteString(ShellButtons::KeyName(button), name, value);
}

// Applies the choice over settings that held bAssignBefore and nBefore.
Settings Apply(bool bAssignBefore, int nBefore, bool bAssign, int number, QWidget *frame)
{
    Settings settings;
    settings.m_bAssignHotkey = bAssignBefore ? 1 : 0;
    settings.m_nHotkeyNum = nBefore;
    ApplyHotkeyChoice(settings, bAssign, number, frame);
    return settings;
}
}

TEST(ShellButtons, CurrentAssignmentIsTheNameBetweenLastBackslashAndLastDot)
{
    TestEnvironment environment;
    IniProfile store(IniProfile::ShellKeysPath());
    ShellButtons buttons(store);
    SetShellValue(1, u"Default", kShortcut);
    SetShellValue(2, u"Default", u"\\Windows\\Program Files\\my.notes.v2.exe");
    SetShellValue(3, u"Default", u"calendar");
    SetShellValue(4, u"Default", std::u16string(128, u'x'));
    EXPECT_EQ(buttons.CurrentAssignmentName(1), u"Quorlex");
    EXPECT_EQ(buttons.CurrentAssignmentName(2), u"my.notes.v2");
    EXPECT_EQ(buttons.CurrentAssignmentName(3), u"calendar");
    // Longer than the shell's 256-byte buffer: unreadable, so shown empty.
    EXPECT_EQ(buttons.CurrentAssignmentName(4), u"");
    EXPECT_EQ(buttons.CurrentAssignmentName(0), u"");
}

TEST(HotkeyChoice, TurningTheAssignmentOffRestoresResetCmdAndUnregisters)
{
    TestEnvironment environment;
    QWidget frame;
    environment.m_hotKeys.Register(&frame, HOTKEY_ID_KEYBOARD, MOD_WIN, 0xC2);
    SetShellValue(2, u"Default", kShortcut);
    SetShellValue(2, u"ResetCmd", u"\\Windows\\contacts.exe");
    const Settings settings = Apply(true, 2, false, 0, &frame);
    EXPECT_EQ(ShellValue(2), u"\\Windows\\contacts.exe");
    EXPECT_EQ(ShellValue(2, u"ResetCmd"), u"\\Windows\\contacts.exe");
    EXPECT_EQ(settings.m_bAssignHotkey, 0);
    EXPECT_EQ(settings.m_nHotkeyNum, 0);
    EXPECT_TRUE(environment.m_hotKeys.m_registered.empty());
    EXPECT_EQ(environment.m_hotKeys.m_calls.back().window, &frame);
}

TEST(HotkeyChoice, MovingFromButtonTwoToThreeRestoresTwoAssignsThreeAndRegistersC3)
{
    TestEnvironment environment;
    QWidget frame;
    environment.m_hotKeys.Register(&frame, HOTKEY_ID_KEYBOARD, MOD_WIN, 0xC2);
    SetShellValue(2, u"Default", kShortcut);
    SetShellValue(2, u"ResetCmd", u"\\Windows\\calendar.exe");
    SetShellValue(3, u"Default", u"\\Windows\\tasks.exe");
    const Settings settings = Apply(true, 2, true, 3, &frame);
    EXPECT_EQ(ShellValue(2), u"\\Windows\\calendar.exe");
    EXPECT_EQ(ShellValue(3), kShortcut);
    EXPECT_EQ(settings.m_nHotkeyNum, 3);
    ASSERT_EQ(environment.m_hotKeys.m_registered.size(), 1u);
    const FakeHotKeys::Call &registration = environment.m_hotKeys.m_registered[0];
    EXPECT_EQ(registration.window, &frame);
    EXPECT_EQ(registration.id, HOTKEY_ID_KEYBOARD);
    EXPECT_EQ(registration.modifiers, MOD_WIN);
    EXPECT_EQ(registration.virtualKey, 0xC3u);
}

TEST(HotkeyChoice, KeepingTheButtonRewritesItAndWithoutResetCmdNothingIsRestored)
{
    TestEnvironment environment;
    QWidget frame;
    SetShellValue(1, u"Default", u"\\Windows\\other.exe");
    SetShellValue(1, u"ResetCmd", u"\\Windows\\inbox.exe");
    Apply(true, 1, true, 1, &frame);
    EXPECT_EQ(ShellValue(1), kShortcut);
    EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), 0xC1u);
    SetShellValue(4, u"Default", kShortcut);
    Apply(true, 4, false, 0, &frame);
    EXPECT_EQ(ShellValue(4), kShortcut);
    EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), 0u);
    IniProfile store(IniProfile::ShellKeysPath());
    EXPECT_FALSE(ShellButtons(store).Restore(3));
    EXPECT_EQ(ShellValue(3), u"(none)");
}

TEST(HotkeyChoice, AssigningWithoutAChosenButtonWritesKey40C0AndRegistersC0)
{
    TestEnvironment environment;
    QWidget frame;
    const Settings settings = Apply(false, -1, true, 0, &frame);
    EXPECT_EQ(ShellValue(0), kShortcut);
    EXPECT_EQ(settings.m_bAssignHotkey, 1);
    EXPECT_EQ(settings.m_nHotkeyNum, 0);
    EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), 0xC0u);
}

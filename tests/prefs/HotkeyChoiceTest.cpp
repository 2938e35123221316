#include "app/Settings.h"
#include "platform/HotKeys.h"
#include "platform/IniProfile.h"
#include "prefs/HotkeyChoice.h"
#include "prefs/ShellButtons.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {
const std::u16string kShortcut = kQuorlexShortcutCommand;

std::u16string Command(int button)
{
    const IniProfile store(IniProfile::ShellKeysPath());
    return store.GetString(ShellButtons::KeyName(button), u"Default", u"(none)");
}

void SetShellValue(int button, const std::u16string &name, const std::u16string &value)
{
    IniProfile store(IniProfile::ShellKeysPath());
    store.WriteString(ShellButtons::KeyName(button), name, value);
}

Settings Assigned(bool bAssign, int number)
{
    Settings settings;
    settings.m_bAssignHotkey = bAssign ? 1 : 0;
    settings.m_nHotkeyNum = number;
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
    SetShellValue(2, u"Default", kShortcut);
    SetShellValue(2, u"ResetCmd", u"\\Windows\\contacts.exe");
    Settings settings = Assigned(true, 2);
    ApplyHotkeyChoice(settings, false, 0, &frame);
    EXPECT_EQ(Command(2), u"\\Windows\\contacts.exe");
    EXPECT_EQ(settings.m_bAssignHotkey, 0);
    EXPECT_EQ(settings.m_nHotkeyNum, 0);
    ASSERT_EQ(environment.m_hotKeys.m_calls.size(), 1u);
    EXPECT_FALSE(environment.m_hotKeys.m_calls[0].bRegister);
    EXPECT_EQ(environment.m_hotKeys.m_calls[0].window, &frame);
    EXPECT_EQ(environment.m_hotKeys.m_calls[0].id, HOTKEY_ID_KEYBOARD);
    EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), 0u);
}

TEST(HotkeyChoice, MovingFromButtonTwoToThreeRestoresTwoAssignsThreeAndRegistersC3)
{
    TestEnvironment environment;
    QWidget frame;
    environment.m_hotKeys.Register(&frame, HOTKEY_ID_KEYBOARD, MOD_WIN, 0xC2);
    environment.m_hotKeys.m_calls.clear();
    SetShellValue(2, u"Default", kShortcut);
    SetShellValue(2, u"ResetCmd", u"\\Windows\\calendar.exe");
    SetShellValue(3, u"Default", u"\\Windows\\tasks.exe");
    Settings settings = Assigned(true, 2);
    ApplyHotkeyChoice(settings, true, 3, &frame);
    EXPECT_EQ(Command(2), u"\\Windows\\calendar.exe");
    EXPECT_EQ(Command(3), kShortcut);
    EXPECT_EQ(settings.m_nHotkeyNum, 3);
    ASSERT_EQ(environment.m_hotKeys.m_calls.size(), 2u);
    EXPECT_FALSE(environment.m_hotKeys.m_calls[0].bRegister);
    const FakeHotKeys::Call &registration = environment.m_hotKeys.m_calls[1];
    EXPECT_TRUE(registration.bRegister);
    EXPECT_EQ(registration.window, &frame);
    EXPECT_EQ(registration.modifiers, MOD_WIN);
    EXPECT_EQ(registration.virtualKey, 0xC3u);
    EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), 0xC3u);
}

TEST(HotkeyChoice, KeepingTheButtonRewritesItsCommandWithoutRestoring)
{
    TestEnvironment environment;
    QWidget frame;
    SetShellValue(1, u"Default", u"\\Windows\\other.exe");
    SetShellValue(1, u"ResetCmd", u"\\Windows\\inbox.exe");
    Settings settings = Assigned(true, 1);
    ApplyHotkeyChoice(settings, true, 1, &frame);
    EXPECT_EQ(Command(1), kShortcut);
    EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), 0xC1u);
}

TEST(HotkeyChoice, WithoutResetCmdTheButtonKeepsStartingTheProgram)
{
    TestEnvironment environment;
    QWidget frame;
    SetShellValue(4, u"Default", kShortcut);
    Settings settings = Assigned(true, 4);
    ApplyHotkeyChoice(settings, false, 0, &frame);
    EXPECT_EQ(Command(4), kShortcut);
    IniProfile store(IniProfile::ShellKeysPath());
    ShellButtons buttons(store);
    EXPECT_FALSE(buttons.Restore(4));
    EXPECT_FALSE(buttons.Restore(1));
    EXPECT_EQ(Command(1), u"(none)");
}

TEST(HotkeyChoice, AssigningWithoutAChosenButtonWritesKey40C0AndRegistersC0)
{
    TestEnvironment environment;
    QWidget frame;
    Settings settings = Assigned(false, -1);
    ApplyHotkeyChoice(settings, true, 0, &frame);
    EXPECT_EQ(Command(0), kShortcut);
    EXPECT_EQ(settings.m_bAssignHotkey, 1);
    EXPECT_EQ(settings.m_nHotkeyNum, 0);
    EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), 0xC0u);
}

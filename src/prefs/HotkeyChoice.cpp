#include "prefs/HotkeyChoice.h"

#include "settings/Settings.h"
#include "platform/HotKeys.h"
#include "platform/IniProfile.h"
#include "platform/Platform.h"
#include "prefs/ShellButtons.h"

namespace {
constexpr unsigned kFirstButtonKey = 0xC0;
}

void ApplyHotkeyChoice(Settings &settings, bool bAssign, int nHotkeyNum, QWidget *mainFrame)
{
    IniProfile store(IniProfile::ShellKeysPath());
    ShellButtons buttons(store);
    const bool bAssignedBefore = settings.m_bAssignHotkey != 0;
    if (bAssignedBefore && (!bAssign || nHotkeyNum != settings.m_nHotkeyNum))
        buttons.Restore(settings.m_nHotkeyNum);
    // Also when the button stays the same: the shell may have been given
    // another command for it since.
    if (bAssign)
        buttons.Assign(nHotkeyNum, kQuorlexShortcutCommand);
    settings.m_bAssignHotkey = bAssign ? 1 : 0;
    settings.m_nHotkeyNum = nHotkeyNum;
    HotKeyService &hotKeys = Platform::GetHotKeys();
    hotKeys.Unregister(mainFrame, HOTKEY_ID_KEYBOARD);
    if (bAssign)
        hotKeys.Register(mainFrame, HOTKEY_ID_KEYBOARD, MOD_WIN, kFirstButtonKey + static_cast<unsigned>(nHotkeyNum));
}

#pragma once

class QWidget;
struct Settings;

// The id of the one system hot key, registered on the main frame window.
constexpr int HOTKEY_ID_KEYBOARD = 444;

// The command the program gives a hardware button: its own Start-menu
// shortcut in double quotes.
inline constexpr char16_t kQuorlexShortcutCommand[] = u"\"\\Windows\\Start Menu\\Programs\\Quorlex.lnk\"";

// Carries out the hardware-button choice of a confirmed preference sheet.
// The settings hold the choice before the sheet ran; bAssign and nHotkeyNum
// are the Keys page's. Gives the old button its shell command back when the
// assignment is turned off or moves, gives the chosen button the program's
// shortcut, stores the two values in the settings (not yet in the profile),
// and registers the hot key anew on the main frame window.
void ApplyHotkeyChoice(Settings &settings, bool bAssign, int nHotkeyNum, QWidget *mainFrame);

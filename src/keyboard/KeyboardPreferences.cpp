#include "keyboard/KeyboardHost.h"
#include "keyboard/KeyboardWnd.h"

#include "platform/IniProfile.h"
#include "prefs/ActionPage.h"
#include "dialogs/DialogItems.h"
#include "prefs/HotkeyChoice.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "dialogs/PropertySheet.h"

// The preference sheet run from the board: the pages get the settings, and
// after OK the settings get the pages' values, are stored, and the board
// follows them.

namespace {
unsigned char Flag(bool value)
{
    return value ? 1 : 0;
}

void FillPages(const Settings &settings, CLookFeelPage &lookFeel, CActionPage &action, CKeyPrefsPage &keys)
{
    lookFeel.m_nKeyLayout = settings.m_nKeyLayout;
    lookFeel.m_pSettings = &settings;
    lookFeel.m_strFontName = QString::fromStdU16String(settings.m_strFontName);
    lookFeel.m_nFontSize = settings.m_nFontSize;
    lookFeel.m_bFontBold = settings.m_bFontBold;
    lookFeel.m_bFontItalic = settings.m_bFontItalic;
    lookFeel.m_bFontStrike = settings.m_bFontStrike;
    lookFeel.m_bFontUnderline = settings.m_bFontUnderline;
    action.m_bCopyOnExit = settings.m_bCopyOnExit != 0;
    action.m_bOpenKBOnStart = settings.m_bOpenKBOnStart != 0;
    action.m_nOnStartAction = settings.m_nOnStartAction;
    action.m_nDirection = settings.m_bRightHanded != 0 ? 1 : 0;
    keys.m_bRepeatKey = settings.m_bRepeatKey != 0;
    keys.m_nRepeatInterval = settings.m_nRepeatInterval;
    keys.m_bAssignHotkey = settings.m_bAssignHotkey != 0;
    keys.m_nHotkeyNum = settings.m_nHotkeyNum;
}

void TakeActionAndKeys(Settings &settings, const CActionPage &action, const CKeyPrefsPage &keys)
{
    settings.m_bCopyOnExit = Flag(action.m_bCopyOnExit);
    settings.m_nOnStartAction = action.m_nOnStartAction;
    settings.m_bOpenKBOnStart = Flag(action.m_bOpenKBOnStart);
    settings.m_bRightHanded = Flag(action.m_nDirection != 0);
    settings.m_bRepeatKey = Flag(keys.m_bRepeatKey);
    settings.m_nRepeatInterval = keys.m_nRepeatInterval;
}

void TakeLookAndFeel(Settings &settings, const CLookFeelPage &lookFeel)
{
    settings.m_nKeyLayout = lookFeel.m_nKeyLayout;
    settings.m_strKeyMap = lookFeel.m_strKeyMap.toStdU16String();
    settings.m_strSkin = lookFeel.m_strSkin.toStdU16String();
    settings.m_strFontName = lookFeel.m_strFontName.toStdU16String();
    settings.m_nFontSize = lookFeel.m_nFontSize;
    settings.m_bFontBold = Flag(lookFeel.m_bFontBold != 0);
    settings.m_bFontItalic = Flag(lookFeel.m_bFontItalic != 0);
    settings.m_bFontStrike = Flag(lookFeel.m_bFontStrike != 0);
    settings.m_bFontUnderline = Flag(lookFeel.m_bFontUnderline != 0);
}
}

void CKeyboardWnd::ApplyPreferences()
{
    CLookFeelPage lookFeel;
    CActionPage action;
    CKeyPrefsPage keys;
    FillPages(m_settings, lookFeel, action, keys);
    // Declared after its pages, so it goes first and hands them back.
    CPropertySheet sheet(QStringLiteral("Preferences"), nullptr, 0);
    sheet.AddPage(&lookFeel);
    sheet.AddPage(&action);
    sheet.AddPage(&keys);
    if (m_pView != nullptr)
        m_pView->SetPreferenceSheet(&sheet);
    const int result = sheet.DoModal();
    if (m_pView != nullptr)
        m_pView->SetPreferenceSheet(nullptr);
    if (result == IDCANCEL)
        return;
    TakeActionAndKeys(m_settings, action, keys);
    ApplyHotkeyChoice(m_settings, keys.m_bAssignHotkey, keys.m_nHotkeyNum, MainFrame());
    TakeLookAndFeel(m_settings, lookFeel);
    ApplySettingsToBoard();
}

void CKeyboardWnd::ApplySettingsToBoard()
{
    CreateKeyFonts();
    LayoutChildren();
    ReloadKeyMap();
    IniProfile profile(IniProfile::PreferencesPath());
    SaveSettings(m_settings, profile);
    if (!LoadSkin(m_settings.m_strSkin)) {
        TakeResourceFailurePath();
        return;
    }
    RenderKeyFaces();
    ComposeKeyboard();
    update();
    SetPadFontFromSettings();
    m_wndSideMenu.Place(m_settings.m_bRightHanded != 0);
}

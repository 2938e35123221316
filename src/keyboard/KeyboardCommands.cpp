#include "keyboard/KeyboardHost.h"
#include "keyboard/KeyboardWnd.h"

#include "platform/Platform.h"
#include "platform/WaitCursor.h"

// The side menu's commands, which reach the keyboard window as posted
// messages once the menu has taken its own tap.

void CKeyboardWnd::FillSideMenu()
{
    const char *const items[] = {"Exit", "Select Line", "Clear All", "Copy All", "Cut",
                                 "Copy", "Paste", "Preferences...", "Notepad"};
    for (int item = 0; item < 9; ++item) {
        if (item == 1 || item == 2 || item == 4 || item == 7)
            m_wndSideMenu.AddSeparator();
        m_wndSideMenu.AddItem(QString::fromLatin1(items[item]), WM_KBD_EXIT + item);
    }
}

void CKeyboardWnd::customEvent(QEvent *event)
{
    if (const auto *message = dynamic_cast<const WindowMessage *>(event))
        OnCommand(message->Message());
    else
        QWidget::customEvent(event);
}

void CKeyboardWnd::OnCommand(int message)
{
    switch (message) {
    case WM_KBD_EXIT:
        ReleasePressedKey();
        ExitFromKeyboard();
        break;
    case WM_KBD_SELECTLINE:
        ReleasePressedKey();
        m_wndPad.SelectLine();
        break;
    case WM_KBD_CLEARALL:
        ReleasePressedKey();
        ClearAllAfterAsking();
        break;
    case WM_KBD_COPYALL:
        ReleasePressedKey();
        m_wndPad.CopyText({});
        break;
    case WM_KBD_CUT:
        ReleasePressedKey();
        m_wndPad.CutSelection();
        break;
    case WM_KBD_COPY:
        ReleasePressedKey();
        RunWithWaitCursor(&CTypePadWnd::CopySelection);
        break;
    case WM_KBD_PASTE:
        ReleasePressedKey();
        RunWithWaitCursor(&CTypePadWnd::Paste);
        break;
    case WM_KBD_PREFERENCES:
        ShowNotepad();
        ApplyPreferences();
        if (m_pView != nullptr)
            m_pView->ShowKeyboard();
        break;
    case WM_KBD_NOTEPAD:
        ReleasePressedKey();
        ShowNotepad();
        break;
    case WM_KBD_CLOSEAPP:
        CloseApplication();
        break;
    default:
        break;
    }
}

void CKeyboardWnd::RunWithWaitCursor(void (CTypePadWnd::*operation)())
{
    WaitCursor &cursor = Platform::GetWaitCursor();
    cursor.Begin();
    (m_wndPad.*operation)();
    cursor.End();
}

void CKeyboardWnd::ClearAllAfterAsking()
{
    if (Platform::AskYesNo(QStringLiteral("Are you sure you want to delete all the typed content (all lines) ?")))
        m_wndPad.ClearAll();
}

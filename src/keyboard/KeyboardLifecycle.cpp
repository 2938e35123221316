#include "keyboard/KeyboardHost.h"
#include "keyboard/KeyboardWnd.h"

#include "platform/HotKeys.h"
#include "platform/Platform.h"
#include "prefs/HotkeyChoice.h"

#include <QMetaObject>

// The keyboard window's life: creation with its children and images, the
// placing of the children for the hand direction, handing the text to the
// notepad, exit and the release of the images.

namespace {
// Hardware button n is virtual key 0xC0 + n.
constexpr unsigned kButtonKeyBase = 0xC0;
}

bool CKeyboardWnd::Create(QWidget *parent)
{
    setParent(parent);
    setObjectName(QStringLiteral("Keyboard101"));
    setGeometry(0, 0, kScreenWidth, kScreenHeight);
    hide();
    return OnCreate() == 0;
}

int CKeyboardWnd::OnCreate()
{
    CreateSideMenu();
    CreatePad();
    LayoutChildren();
    SetPadFontFromSettings();
    if (!CreateBoardImages() || !LoadSkin(m_settings.m_strSkin)) {
        TakeResourceFailurePath();
        return 0;
    }
    RenderKeyFaces();
    ComposeKeyboard();
    UnregisterBoardHotKey();
    if (m_settings.m_bAssignHotkey)
        RegisterBoardHotKey();
    return 0;
}

void CKeyboardWnd::CreateSideMenu()
{
    m_wndSideMenu.Create(this, QRect(48, 210, 162, 110));
    m_wndSideMenu.setObjectName(QStringLiteral("SideMenu%1").arg(kSideMenuId));
    m_wndSideMenu.Place(m_settings.m_bRightHanded != 0);
}

void CKeyboardWnd::CreatePad()
{
    m_wndPad.setObjectName(QStringLiteral("TypePad%1").arg(kPadId));
    m_wndPad.m_text.m_bRightHanded = m_settings.m_bRightHanded != 0;
    m_wndPad.Create(this, ToQRect(PadRect()));
}

Rect CKeyboardWnd::PadRect() const
{
    const Rect pad{2, 50, 28, 286};
    return m_settings.m_bRightHanded ? pad : MirrorRect(pad);
}

Rect CKeyboardWnd::LineListRect() const
{
    return m_settings.m_bRightHanded ? Rect{28, 0, 240, 320} : Rect{0, 0, PadRect().left, 320};
}

void CKeyboardWnd::LayoutChildren()
{
    m_wndPad.m_text.m_bRightHanded = m_settings.m_bRightHanded != 0;
    m_wndPad.setGeometry(ToQRect(PadRect()));
    // A pad of the same size hears of no resize, yet its line now turns the
    // other way.
    m_wndPad.Redraw();
    m_wndPad.LineList().setGeometry(ToQRect(LineListRect()));
    m_wndPad.LineList().PlaceScrollBar();
}

void CKeyboardWnd::SetPadFontFromSettings()
{
    m_wndPad.SetPadFont(QString::fromStdU16String(m_settings.m_strFontName), FontPoints(),
                        m_settings.m_bFontBold != 0, m_settings.m_bFontItalic != 0, m_settings.m_bFontStrike != 0,
                        m_settings.m_bFontUnderline != 0);
}

void CKeyboardWnd::TakeResourceFailurePath()
{
    Platform::MessageBox(QStringLiteral("Could not load the skin images. Your Pocket PC might be running low on "
                                        "system resources.  Please soft reset your Pocket PC and run the "
                                        "application."));
    hide();
    ReleaseGdiResources();
    PostWindowMessage(this, WM_KBD_CLOSEAPP);
}

void CKeyboardWnd::ReleaseGdiResources()
{
    // The handheld's memory DCs have no counterpart: every drawing here opens
    // its painter on an image and ends it before it returns.
    ReleaseSkinImages();
    ReleaseImages({{&m_hBmpMemDown, "m_hBmpMemDown"}, {&m_hBmpMemUp, "m_hBmpMemUp"}, {&m_hBmpMem, "m_hBmpMem"}});
    m_bmpPlaceholder = QImage();
}

QWidget *CKeyboardWnd::MainFrame() const
{
    return m_pView != nullptr ? m_pView->MainFrame() : nullptr;
}

void CKeyboardWnd::RegisterBoardHotKey()
{
    if (QWidget *frame = MainFrame())
        Platform::GetHotKeys().Register(frame, HOTKEY_ID_KEYBOARD, MOD_WIN,
                                        kButtonKeyBase + static_cast<unsigned>(m_settings.m_nHotkeyNum));
}

void CKeyboardWnd::UnregisterBoardHotKey()
{
    if (QWidget *frame = MainFrame())
        Platform::GetHotKeys().Unregister(frame, HOTKEY_ID_KEYBOARD);
}

void CKeyboardWnd::HandTextToView()
{
    m_wndPad.CommitLine();
    if (m_pView != nullptr)
        m_pView->SetViewText(m_wndPad.GetAllText());
}

void CKeyboardWnd::ShowNotepad()
{
    if (m_pView != nullptr)
        m_pView->SetKeyboardUpFlag(false);
    const Rect menuKey = GetKeyRect(KC_MENU, 50);
    CopyFromComposite(menuKey, false);
    m_nPressedCode = -1;
    repaint(ToQRect(menuKey));
    HandTextToView();
    hide();
    if (m_pView != nullptr)
        m_pView->RestoreNotepadFrame(m_rcFrameSaved);
}

void CKeyboardWnd::ExitFromKeyboard()
{
    HandTextToView();
    if (m_pView != nullptr) {
        // A text the file could not keep goes to the clipboard all the same.
        if (!m_pView->SaveLastUsedText() || m_settings.m_bCopyOnExit)
            m_pView->CopyAllToClipboard();
    }
    hide();
    ReleaseGdiResources();
    UnregisterBoardHotKey();
    PostWindowMessage(this, WM_KBD_CLOSEAPP);
}

void CKeyboardWnd::CloseApplication()
{
    // Closed from the event loop, never from inside the handler that asked.
    if (QWidget *frame = MainFrame())
        QMetaObject::invokeMethod(frame, &QWidget::close, Qt::QueuedConnection);
}

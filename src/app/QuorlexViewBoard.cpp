// The notepad view's side of the board: putting it up and taking the screen
// back, the hardware arrow keys, and the calls into the keyboard window.
#include "app/QuorlexView.h"

#include "app/MainFrame.h"
#include "app/NotepadEdit.h"
#include "platform/Platform.h"
#include "platform/WaitCursor.h"
#include "platform/WindowMessage.h"

void CQuorlexView::ShowKeyboard()
{
    WaitCursor &cursor = Platform::GetWaitCursor();
    cursor.Begin();
    GiveTextToPad(ViewText());
    SetKeyboardUp();
    cursor.End();
}

void CQuorlexView::SetKeyboardUp()
{
    m_bKeyboardUp = true;
    if (m_pEdit != nullptr)
        m_pEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // At start the frame is not shown yet; the application shows it.
    if (m_pFrame->isVisible())
        m_pFrame->BringToForeground();
    m_pFrame->resize(m_nScreenWidth, m_nScreenHeight);
    m_pFrame->SetFullScreen(true);
    m_pFrame->ShowCommandBar(false);
    ShowKeyboardWindow();
}

// The frame keeps its place on the desktop: only the handheld's frame moved
// between the full screen and the space between taskbar and command bar.
void CQuorlexView::RestoreNotepadFrame(const QRect &frameRect)
{
    Edit()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pFrame->BringToForeground();
    if (frameRect.isValid())
        m_pFrame->resize(frameRect.size());
    m_pFrame->SetFullScreen(false);
    m_pFrame->ShowCommandBar(true);
    m_pEdit->setFocus();
}

CQuorlexView::PadMove CQuorlexView::PadMoveOfArrow(int key, bool bRightHanded)
{
    switch (key) {
    case Qt::Key_Left:
        return bRightHanded ? PadMove::PrevLine : PadMove::NextLine;
    case Qt::Key_Up:
        return bRightHanded ? PadMove::CaretRight : PadMove::CaretLeft;
    case Qt::Key_Right:
        return bRightHanded ? PadMove::NextLine : PadMove::PrevLine;
    case Qt::Key_Down:
        return bRightHanded ? PadMove::CaretLeft : PadMove::CaretRight;
    default:
        return PadMove::None;
    }
}

const Settings &CQuorlexView::KeyboardSettings() const
{
    return m_wndKeyboard.GetSettings();
}

// Hidden over the whole screen; a failure there closes the program by itself.
void CQuorlexView::CreateKeyboardWindow()
{
    m_wndKeyboard.m_pView = this;
    m_wndKeyboard.m_rcFrameSaved = m_pFrame->geometry();
    m_wndKeyboard.Create(this);
}

void CQuorlexView::ShowKeyboardWindow()
{
    m_wndKeyboard.show();
    m_wndKeyboard.raise();
}

void CQuorlexView::GiveTextToPad(const std::u16string &text)
{
    CTypePadWnd &pad = m_wndKeyboard.Pad();
    pad.ClearAll();
    if (!text.empty())
        pad.InsertText(text);
}

void CQuorlexView::TakeTextFromPad()
{
    CTypePadWnd &pad = m_wndKeyboard.Pad();
    pad.CommitLine();
    SetViewText(pad.GetAllText());
}

void CQuorlexView::SteerPad(PadMove move)
{
    CTypePadWnd &pad = m_wndKeyboard.Pad();
    switch (move) {
    case PadMove::PrevLine: pad.PrevLine(); break;
    case PadMove::NextLine: pad.NextLine(); break;
    case PadMove::CaretLeft: pad.CaretLeft(); break;
    case PadMove::CaretRight: pad.CaretRight(); break;
    case PadMove::None: break;
    }
}

void CQuorlexView::ReleaseKeyboardResources()
{
    m_wndKeyboard.ReleaseGdiResources();
}

void CQuorlexView::PostKeyboardClose()
{
    PostWindowMessage(&m_wndKeyboard, WM_KBD_CLOSEAPP);
}

void CQuorlexView::RunPreferences()
{
    m_wndKeyboard.ApplyPreferences();
}

void CQuorlexView::SetPreferenceSheet(QWidget *sheet)
{
    m_pFrame->m_pPrefSheet = sheet;
}

// The notepad view's side of the board: putting it up and taking the screen
// back, the hardware arrow keys, and the calls into the keyboard window.
#include "app/QuorlexView.h"

#include "app/MainFrame.h"
#include "platform/IniProfile.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/WaitCursor.h"

#include <QMetaObject>

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
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // At start the frame is not shown yet; the application shows it.
    if (m_pFrame->isVisible())
        m_pFrame->BringToForeground();
    m_pFrame->SetFullScreen(true);
    m_pFrame->ShowCommandBar(false);
    ShowKeyboardWindow();
}

// The frame keeps its place on the desktop: only the handheld's frame moved
// between the full screen and the space between taskbar and command bar.
void CQuorlexView::RestoreNotepadFrame(const QRect &frameRect)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pFrame->BringToForeground();
    if (frameRect.isValid())
        m_pFrame->resize(frameRect.size());
    m_pFrame->SetFullScreen(false);
    m_pFrame->ShowCommandBar(true);
    setFocus();
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

// Until the keyboard window is built in, the view keeps the settings itself.
void CQuorlexView::ConstructKeyboardWindow()
{
    const IniProfile profile(IniProfile::PreferencesPath());
    LoadSettings(m_settings, profile);
    m_settings.m_strProgramFolder = ProgramFolder().toStdU16String();
}

const Settings &CQuorlexView::KeyboardSettings() const
{
    return m_settings;
}

void CQuorlexView::CreateKeyboardWindow() {}

void CQuorlexView::ShowKeyboardWindow() {}

void CQuorlexView::GiveTextToPad(const std::u16string &) {}

void CQuorlexView::TakeTextFromPad() {}

void CQuorlexView::SteerPad(PadMove) {}

void CQuorlexView::ReleaseKeyboardResources() {}

void CQuorlexView::PostKeyboardClose()
{
    QMetaObject::invokeMethod(m_pFrame, &QWidget::close, Qt::QueuedConnection);
}

void CQuorlexView::RunPreferences()
{
    Platform::MessageBox(QStringLiteral("Preferences come in a later version of Quorlex."));
}

#include "keyboard/KeyboardWnd.h"

#include "platform/Clipboard.h"
#include "platform/Platform.h"

#include <QMouseEvent>
#include <QTimerEvent>

#include <algorithm>

// The keyboard window's side of a tap: finding the key, the press feedback,
// what each key does, the modifier latches and the key repeat.

namespace {
// The range the preferences offer; a stored value outside it would make the
// repeat race through the text or never come.
constexpr int kShortestRepeat = 10;
constexpr int kLongestRepeat = 1000;

bool IsModifier(KeyCode code)
{
    return code == KC_PUNCT || code == KC_CAPS || code == KC_SHIFT || code == KC_UMLAUT;
}
}

void CKeyboardWnd::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_bStylusDown = true;
    OnStylusDown(event->position().toPoint());
}

void CKeyboardWnd::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_bStylusDown)
        return;
    // A double click that came without its press is the second tap itself.
    m_bStylusDown = true;
    OnStylusDown(event->position().toPoint());
}

void CKeyboardWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_bStylusDown = false;
    OnStylusUp();
}

void CKeyboardWnd::OnStylusDown(QPoint point)
{
    if (!m_settings.m_bRightHanded)
        point = QPoint(kScreenWidth - 1 - point.x(), kScreenHeight - 1 - point.y());
    m_nPressedIndex = HitTestKey(point);
    m_nPressedCode = KeyCodeOfIndex(m_nPressedIndex);
    DoKeyAction();
}

void CKeyboardWnd::OnStylusUp()
{
    // A latched modifier stays shown pressed; the composed image carries it.
    if (!IsModifier(m_nPressedCode))
        ReleasePressedKey();
}

int CKeyboardWnd::HitTestKey(QPoint point) const
{
    return ::HitTestKey({point.x(), point.y()}, m_settings.m_nKeyLayout);
}

void CKeyboardWnd::DrawPressedKey()
{
    m_rcPressed = GetKeyRect(m_nPressedCode, m_nPressedIndex);
    CopyFromComposite(m_rcPressed, true);
    repaint(ToQRect(m_rcPressed));
}

void CKeyboardWnd::ReleasePressedKey()
{
    if (m_nPressedCode == -1)
        return;
    if (m_nRepeatCode != -1) {
        m_timers.Kill(kRepeatTimer);
        m_nRepeatCode = -1;
    }
    CopyFromComposite(m_rcPressed, false);
    m_nPressedCode = -1;
    repaint(ToQRect(m_rcPressed));
}

void CKeyboardWnd::DoKeyAction()
{
    // A pad slot has no key to show pressed, and no stylus-up would ever
    // show it released again.
    if (m_nPressedCode == KC_PAD || m_nPressedCode == KC_NONE) {
        m_nPressedCode = -1;
        return;
    }
    DrawPressedKey();
    switch (m_nPressedCode) {
    case KC_DELETE:
        m_wndPad.DeleteChar();
        StartKeyRepeat(KC_DELETE);
        return;
    case KC_BACKSPACE:
        m_wndPad.Backspace();
        StartKeyRepeat(KC_BACKSPACE);
        return;
    case KC_LINE_LIST:
        if (m_wndPad.m_text.m_bListShown)
            m_wndPad.HideLineList();
        else
            m_wndPad.ShowLineList();
        return;
    case KC_PUNCT:
        m_bPunct = !m_bPunct;
        if (m_bPunct)
            m_bShift = m_bCaps = m_bUmlaut = false;
        break;
    case KC_CAPS:
    case KC_SHIFT:
    case KC_UMLAUT: {
        bool &flag = m_nPressedCode == KC_CAPS ? m_bCaps : m_nPressedCode == KC_SHIFT ? m_bShift : m_bUmlaut;
        flag = !flag;
        if (flag)
            m_bPunct = false;
        break;
    }
    case KC_LEFT:
    case KC_RIGHT:
        if (!m_bShift) {
            RepeatKey(m_nPressedCode);
            StartKeyRepeat(m_nPressedCode);
            return;
        }
        if (m_nPressedCode == KC_LEFT)
            m_wndPad.CaretHome();
        else
            m_wndPad.CaretEnd();
        m_bShift = false;
        break;
    case KC_ENTER:
        m_wndPad.NewLine();
        return;
    case KC_MENU:
        ToggleSideMenu();
        return;
    default:
        if (const std::optional<char16_t> character = KeyCharacter(m_pCurPlane, m_nPressedCode))
            m_wndPad.InsertChar(*character);
        if (!m_bShift && !m_bUmlaut && !m_bPunct)
            return;
        m_bShift = m_bUmlaut = m_bPunct = false;
        break;
    }
    RePlane();
}

void CKeyboardWnd::RePlane()
{
    SelectPlane();
    ComposeKeyboard();
    repaint();
}

void CKeyboardWnd::StartKeyRepeat(KeyCode code)
{
    if (!m_settings.m_bRepeatKey)
        return;
    m_nRepeatCode = code;
    m_timers.Set(kRepeatTimer, std::clamp(m_settings.m_nRepeatInterval, kShortestRepeat, kLongestRepeat));
}

void CKeyboardWnd::RepeatKey(KeyCode code)
{
    switch (code) {
    case KC_DELETE:
        m_wndPad.DeleteChar();
        break;
    case KC_BACKSPACE:
        m_wndPad.Backspace();
        break;
    case KC_LEFT:
        m_wndPad.CaretLeft();
        break;
    case KC_RIGHT:
        m_wndPad.CaretRight();
        break;
    default:
        break;
    }
}

void CKeyboardWnd::timerEvent(QTimerEvent *event)
{
    if (const std::optional<int> id = m_timers.IdOf(event->timerId()))
        OnTimer(*id);
    else
        QWidget::timerEvent(event);
}

void CKeyboardWnd::OnTimer(int nId)
{
    if (nId == kRepeatTimer)
        RepeatKey(m_nRepeatCode);
}

void CKeyboardWnd::ToggleSideMenu()
{
    if (m_wndSideMenu.IsOpening()) {
        m_wndSideMenu.Close();
        return;
    }
    EnableClipboardItems();
    m_wndSideMenu.Open();
}

void CKeyboardWnd::EnableClipboardItems()
{
    const bool selection = m_wndPad.m_text.m_bSelection;
    m_wndSideMenu.EnableItem(kItemCut, selection);
    m_wndSideMenu.EnableItem(kItemCopy, selection);
    Clipboard &clipboard = Platform::GetClipboard();
    if (!clipboard.Open()) {
        Platform::MessageBox(QStringLiteral("Cannot open the Clipboard"));
        return;
    }
    m_wndSideMenu.EnableItem(kItemPaste, clipboard.IsUnicodeTextAvailable());
    clipboard.Close();
}

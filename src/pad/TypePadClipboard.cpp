#include "pad/TypePadWnd.h"

#include "platform/Clipboard.h"
#include "platform/Platform.h"
#include "platform/WaitCursor.h"

// The pad's side of the clipboard: open, empty, set or get, close, with the
// wait cursor ended on every way out.

namespace {
// A clipboard's text ends at its first zero character, as the handheld's
// Unicode text format does.
std::u16string_view UpToZero(const std::u16string &text)
{
    const std::u16string_view view = text;
    return view.substr(0, view.find(u'\0'));
}
}

bool CTypePadWnd::CopyText(std::u16string text)
{
    CommitLine();
    WaitCursor &waitCursor = Platform::GetWaitCursor();
    waitCursor.Begin();
    Clipboard &clipboard = Platform::GetClipboard();
    if (!clipboard.Open()) {
        waitCursor.End();
        Platform::MessageBox(QStringLiteral("Cannot open the Clipboard"));
        return false;
    }
    if (!clipboard.Empty()) {
        clipboard.Close();
        waitCursor.End();
        Platform::MessageBox(QStringLiteral("Cannot empty the Clipboard"));
        return false;
    }
    if (text.empty())
        text = GetAllText();
    const bool bPlaced = clipboard.SetUnicodeText(text);
    clipboard.Close();
    waitCursor.End();
    return bPlaced;
}

void CTypePadWnd::CopySelection()
{
    CopyText(m_text.SelectedText());
}

void CTypePadWnd::CutSelection()
{
    // The characters leave the line only once they are safe on the
    // clipboard; when it cannot take them the line stays as it was.
    if (!CopyText(m_text.SelectedText()))
        return;
    if (m_text.m_bSelection) {
        m_text.DeleteSelection();
        CommitLine();
    }
    Redraw();
}

void CTypePadWnd::Paste()
{
    CommitLine();
    WaitCursor &waitCursor = Platform::GetWaitCursor();
    waitCursor.Begin();
    Clipboard &clipboard = Platform::GetClipboard();
    if (!clipboard.Open()) {
        waitCursor.End();
        Platform::MessageBox(QStringLiteral("Cannot open the Clipboard"));
        return;
    }
    if (clipboard.IsUnicodeTextAvailable()) {
        if (const std::optional<std::u16string> text = clipboard.GetUnicodeText())
            InsertText(UpToZero(*text));
    }
    clipboard.Close();
    waitCursor.End();
}

void CTypePadWnd::PasteSelectionAt(int nAlong)
{
    const std::optional<std::u16string> text = Platform::GetClipboard().GetSelectionText();
    if (!text)
        return;
    m_text.StylusDown(HitTest(nAlong - 2));
    InsertText(UpToZero(*text));
}

void CTypePadWnd::OfferSelection()
{
    if (m_text.m_bSelection)
        Platform::GetClipboard().SetSelectionText(m_text.SelectedText());
}

void CTypePadWnd::InsertText(std::u16string_view text)
{
    CommitLine();
    WaitCursor &waitCursor = Platform::GetWaitCursor();
    waitCursor.Begin();
    m_text.InsertText(text);
    waitCursor.End();
}

#include "app/QuorlexView.h"

#include "app/MainFrame.h"
#include "app/NotepadEdit.h"
#include "app/QuorlexDoc.h"
#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/Utf16Text.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTextDocument>
#include <QUrl>

#include <utility>

// Until the edit is made the view takes the keys itself: the board's arrows
// must work from the start.
CQuorlexView::CQuorlexView(CMainFrame *frame, CQuorlexDoc *document)
    : QWidget(frame), m_pFrame(frame), m_pDocument(document)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &CQuorlexView::OnApplicationStateChanged);
}

QPlainTextEdit *CQuorlexView::Edit()
{
    if (m_pEdit == nullptr)
        CreateEdit();
    return m_pEdit;
}

// Under the board, which is a child of the view too; the focus goes to the
// edit from now on. An edit made for the notepad on screen gets the held
// text, one made under the board stays empty as the board's text is held.
void CQuorlexView::CreateEdit()
{
    m_pEdit = new CNotepadEdit(this);
    m_pEdit->setVerticalScrollBarPolicy(m_bKeyboardUp ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_pEdit->setGeometry(rect());
    m_pEdit->lower();
    m_pEdit->show();
    const bool bHadFocus = hasFocus();
    setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_pEdit);
    if (bHadFocus)
        m_pEdit->setFocus();
    if (!m_bKeyboardUp && !m_bBoardComing)
        SetViewText(std::exchange(m_strHeldText, {}));
}

void CQuorlexView::resizeEvent(QResizeEvent *event)
{
    if (m_pEdit != nullptr)
        m_pEdit->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void CQuorlexView::OnInitialUpdate()
{
    m_nScreenWidth = CMainFrame::kScreenWidth;
    m_nScreenHeight = CMainFrame::kScreenHeight;
    CreateKeyboardWindow();
    // A board that comes up at once covers the notepad from the start.
    m_bBoardComing = KeyboardSettings().m_bOpenKBOnStart != 0;
    ApplyStartAction(KeyboardSettings().m_nOnStartAction);
    m_pDocument->NoteLastUsedFile();
    m_pDocument->SetPathName(CQuorlexDoc::LastUsedPath());
    m_pDocument->SetModifiedFlag(true);
    if (m_bBoardComing)
        ShowKeyboard();
    else
        Edit();
    m_bBoardComing = false;
}

void CQuorlexView::ApplyStartAction(int nAction)
{
    if (nAction == 1) {
        SetViewText(ReadLastUsedText());
        m_pDocument->NoteLastUsedTextShown();
    } else if (nAction == 2) {
        TakeTextFromClipboard();
    }
}

void CQuorlexView::TakeTextFromClipboard()
{
    Clipboard &clipboard = Platform::GetClipboard();
    if (!clipboard.Open())
        return;
    if (clipboard.IsUnicodeTextAvailable()) {
        if (const std::optional<std::u16string> text = clipboard.GetUnicodeText())
            SetViewText(*text);
    }
    clipboard.Close();
}

std::u16string CQuorlexView::ReadLastUsedText()
{
    std::u16string text;
    if (!CQuorlexDoc::ReadTextFile(CQuorlexDoc::LastUsedPath(), text))
        KeepUnreadableLastUsed();
    return text;
}

// A file that is there but cannot be read (too large, unreadable) would be
// written over by the next save: it goes aside under a name of its own first,
// never over an older one kept so.
void CQuorlexView::KeepUnreadableLastUsed()
{
    if (!QFileInfo(CQuorlexDoc::LastUsedPath()).isFile())
        return;
    const QString kept = CQuorlexDoc::KeepLastUsedAside();
    if (!kept.isEmpty()) {
        Platform::MessageBox(QStringLiteral("LastUsed.txt could not be read. It has been kept as %1.").arg(kept));
        return;
    }
    Platform::MessageBox(QStringLiteral("LastUsed.txt could not be read, nor kept under another name. The next "
                                        "Exit will write over it."));
}

std::u16string CQuorlexView::ViewText() const
{
    return m_bTextHeld ? m_strHeldText : CNotepadEdit::FlatText(m_pEdit->document()->toRawText());
}

// While the board covers the notepad, the notepad's text is held as it is
// instead of going into the edit: an edit that is laid out keeps several
// times the size of its text, and the board gives its own text back to the
// notepad when it goes down. Before the edit is made, it is held too.
void CQuorlexView::SetViewText(const std::u16string &text)
{
    if (m_bKeyboardUp || m_bBoardComing || m_pEdit == nullptr) {
        if (!m_bTextHeld && m_pEdit != nullptr && !m_pEdit->document()->isEmpty())
            m_pEdit->clear();
        m_strHeldText = text;
        m_bTextHeld = true;
        return;
    }
    m_bTextHeld = false;
    std::u16string().swap(m_strHeldText);
    m_pEdit->setPlainText(QStringOfUnits(text));
}

// A run that started with a cleared notepad (or the clipboard's text) and
// ends with nothing in it leaves the text an earlier run kept: starting the
// program and leaving it again, or a logout, must not wipe it.
bool CQuorlexView::SaveLastUsedText()
{
    m_bExitSaved = true;
    if (m_pDocument->HoldsUnshownLastUsedText() && ViewText().empty())
        return true;
    m_pDocument->SetModifiedFlag(true);
    return m_pDocument->DoSave(CQuorlexDoc::LastUsedPath(), true);
}

void CQuorlexView::CopyAllToClipboard()
{
    if (m_bTextHeld) {
        CopyTextToClipboard(m_strHeldText);
        return;
    }
    OnEditSelectAll();
    CopySelectionToClipboard();
}

void CQuorlexView::CopySelectionToClipboard()
{
    CopyTextToClipboard(m_pEdit->SelectedFlatText());
}

// As the handheld's edit does it: nothing selected, nothing copied.
void CQuorlexView::CopyTextToClipboard(const std::u16string &text)
{
    if (text.empty())
        return;
    Clipboard &clipboard = Platform::GetClipboard();
    if (!clipboard.Open())
        return;
    clipboard.Empty();
    clipboard.SetUnicodeText(text);
    clipboard.Close();
}

QWidget *CQuorlexView::MainFrame() const
{
    return m_pFrame;
}

// A text that could not be kept in LastUsed.txt goes to the clipboard even
// without Copy On Exit: it is the one place left where it outlives the program.
void CQuorlexView::OnFileExit()
{
    if (!SaveLastUsedText() || KeyboardSettings().m_bCopyOnExit)
        CopyAllToClipboard();
    ReleaseKeyboardResources();
    PostKeyboardClose();
}

void CQuorlexView::SaveBeforeClose()
{
    if (m_bExitSaved)
        return;
    if (m_bKeyboardUp)
        TakeTextFromPad();
    if (!SaveLastUsedText() || KeyboardSettings().m_bCopyOnExit)
        CopyAllToClipboard();
    ReleaseKeyboardResources();
}

void CQuorlexView::KeepTextAtEnd(bool bFinal, bool bDisplayThere)
{
    if (m_bExitSaved)
        return;
    if (m_bKeyboardUp)
        SetViewText(TextOnScreen());
    if (!SaveLastUsedText() && bDisplayThere)
        CopyAllToClipboard();
    m_bExitSaved = bFinal;
}

std::u16string CQuorlexView::TextOnScreen()
{
    if (!m_bKeyboardUp)
        return ViewText();
    CTypePadWnd &pad = m_wndKeyboard.Pad();
    pad.CommitLine();
    return pad.GetAllText();
}

void CQuorlexView::OnEditUndo()
{
    Edit()->undo();
}

// While the board is up the clipboard commands (their keys, from a desktop
// keyboard) are the side menu's, on the pad: true when the board ran it.
bool CQuorlexView::RunOnBoard(int message)
{
    if (m_bKeyboardUp)
        m_wndKeyboard.OnCommand(message);
    return m_bKeyboardUp;
}

void CQuorlexView::OnEditCut()
{
    if (RunOnBoard(WM_KBD_CUT))
        return;
    if (!Edit()->textCursor().hasSelection())
        return;
    CopySelectionToClipboard();
    m_pEdit->textCursor().removeSelectedText();
}

void CQuorlexView::OnEditCopy()
{
    if (RunOnBoard(WM_KBD_COPY))
        return;
    Edit();
    CopySelectionToClipboard();
}

void CQuorlexView::OnEditPaste()
{
    if (RunOnBoard(WM_KBD_PASTE))
        return;
    Clipboard &clipboard = Platform::GetClipboard();
    if (!clipboard.Open())
        return;
    const std::optional<std::u16string> text =
        clipboard.IsUnicodeTextAvailable() ? clipboard.GetUnicodeText() : std::nullopt;
    clipboard.Close();
    if (text)
        Edit()->insertPlainText(QStringOfUnits(*text));
}

void CQuorlexView::OnEditSelectAll()
{
    Edit()->selectAll();
    m_pEdit->ensureCursorVisible();
}

void CQuorlexView::OnEditClearAll()
{
    OnEditSelectAll();
    m_pEdit->textCursor().removeSelectedText();
}

void CQuorlexView::OnToolsHelp()
{
    QUrl page = QUrl::fromLocalFile(QDir(ProgramFolder()).filePath(QStringLiteral("QuorlexHelp.htm")));
    page.setFragment(QStringLiteral("Main_Contents"));
    Platform::GetHelpViewer().Open(page);
}

void CQuorlexView::OnToolsTypeAway()
{
    ShowKeyboard();
}

void CQuorlexView::OnToolsPreferences()
{
    RunPreferences();
}

bool CQuorlexView::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        OnActivateView(true);
    else if (event->type() == QEvent::WindowDeactivate)
        OnActivateView(false);
    return QWidget::event(event);
}

void CQuorlexView::OnActivateView(bool bActivate)
{
    if (bActivate && m_bKeyboardUp)
        SetKeyboardUp();
}

// Leaving copies the whole text but keeps the user's caret and selection:
// a select-all left behind would make the next key press replace everything.
// A frame already closed has nothing to leave.
void CQuorlexView::OnApplicationStateChanged(Qt::ApplicationState state)
{
    if (state != Qt::ApplicationActive && KeyboardSettings().m_bCopyOnExit && m_pFrame->isVisible())
        CopyTextToClipboard(TextOnScreen());
}

void CQuorlexView::keyPressEvent(QKeyEvent *event)
{
    if (!OnNotepadKey(event))
        QWidget::keyPressEvent(event);
}

bool CQuorlexView::OnNotepadKey(QKeyEvent *event)
{
    if (m_bKeyboardUp) {
        SteerPad(PadMoveOfArrow(event->key(), KeyboardSettings().m_bRightHanded != 0));
        if (TypeIntoPad(event))
            return true;
    }
    return HandleClipboardKey(event);
}

// A desktop keyboard types into the pad while the board is up, as the
// board's own keys do. Left to the covered notepad, the keys would be lost
// when the board hands it the pad's text.
bool CQuorlexView::TypeIntoPad(QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    CTypePadWnd &pad = m_wndKeyboard.Pad();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: pad.NewLine(); break;
    case Qt::Key_Backspace: pad.Backspace(); break;
    case Qt::Key_Delete: pad.DeleteChar(); break;
    case Qt::Key_Home: pad.CaretHome(); break;
    case Qt::Key_End: pad.CaretEnd(); break;
    default: {
        const QString text = event->text();
        if (text.isEmpty() || !(text.at(0).isPrint() || text == u"\t"))
            return false;
        pad.InsertText(text.toStdU16String());
    }
    }
    event->accept();
    return true;
}

// The edit's own clipboard keys would bypass the program's clipboard.
bool CQuorlexView::HandleClipboardKey(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy))
        OnEditCopy();
    else if (event->matches(QKeySequence::Cut))
        OnEditCut();
    else if (event->matches(QKeySequence::Paste))
        OnEditPaste();
    else
        return false;
    event->accept();
    return true;
}

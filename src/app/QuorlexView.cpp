#include "app/QuorlexView.h"

#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/Utf16Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace {
constexpr char16_t kParagraphSeparator = u'\u2029';
constexpr char16_t kLineSeparator = u'\u2028';

bool IsSeparator(QChar ch)
{
    return ch.unicode() == kParagraphSeparator || ch.unicode() == kLineSeparator;
}

// The edit keeps a paragraph separator where the flat text has CR LF, and
// Shift+Enter puts a line separator: both leave the notepad as CR LF, or the
// file, the clipboard and the pad would get a break nothing else reads.
std::u16string ToFlatText(const QString &raw)
{
    std::u16string flat;
    flat.reserve(static_cast<std::size_t>(raw.size() + std::count_if(raw.begin(), raw.end(), IsSeparator)));
    for (const QChar ch : raw) {
        if (IsSeparator(ch))
            flat += u"\r\n";
        else
            flat += ch.unicode();
    }
    return flat;
}
}

CQuorlexView::CQuorlexView(CMainFrame *frame, CQuorlexDoc *document)
    : QPlainTextEdit(frame), m_pFrame(frame), m_pDocument(document)
{
    SetUpEditStyle();
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &CQuorlexView::OnApplicationStateChanged);
}

void CQuorlexView::SetUpEditStyle()
{
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
    m_pDocument->SetPathName(LastUsedPath());
    m_pDocument->SetModifiedFlag(true);
    if (m_bBoardComing)
        ShowKeyboard();
    m_bBoardComing = false;
}

void CQuorlexView::ApplyStartAction(int nAction)
{
    if (nAction == 1)
        SetViewText(ReadLastUsedText());
    else if (nAction == 2)
        TakeTextFromClipboard();
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
    if (!CQuorlexDoc::ReadTextFile(LastUsedPath(), text))
        KeepUnreadableLastUsed();
    return text;
}

// A file that is there but cannot be read (too large, unreadable) would be
// written over by the next save: it goes aside under a name of its own first,
// never over an older one kept so.
void CQuorlexView::KeepUnreadableLastUsed()
{
    if (!QFileInfo(LastUsedPath()).isFile())
        return;
    const QString kept = CQuorlexDoc::KeepAside(LastUsedPath());
    if (!kept.isEmpty()) {
        Platform::MessageBox(QStringLiteral("LastUsed.txt could not be read. It has been kept as %1.").arg(kept));
        return;
    }
    Platform::MessageBox(QStringLiteral("LastUsed.txt could not be read, nor kept under another name. The next "
                                        "Exit will write over it."));
}

QString CQuorlexView::LastUsedPath() const
{
    return QDir(ProgramFolder()).filePath(QStringLiteral("LastUsed.txt"));
}

std::u16string CQuorlexView::ViewText() const
{
    return m_bTextHeld ? m_strHeldText : ToFlatText(document()->toRawText());
}

// While the board covers the notepad, the notepad's text is held as it is
// instead of going into the edit: an edit that is laid out keeps several
// times the size of its text, and the board gives its own text back to the
// notepad when it goes down.
void CQuorlexView::SetViewText(const std::u16string &text)
{
    if (m_bKeyboardUp || m_bBoardComing) {
        if (!m_bTextHeld && !document()->isEmpty())
            clear();
        m_strHeldText = text;
        m_bTextHeld = true;
        return;
    }
    m_bTextHeld = false;
    std::u16string().swap(m_strHeldText);
    setPlainText(QStringOfUnits(text));
}

bool CQuorlexView::SaveLastUsedText()
{
    m_bExitSaved = true;
    m_pDocument->SetModifiedFlag(true);
    return m_pDocument->DoSave(LastUsedPath(), true);
}

void CQuorlexView::CopyAllToClipboard()
{
    if (m_bTextHeld) {
        CopyTextToClipboard(m_strHeldText);
        return;
    }
    selectAll();
    ensureCursorVisible();
    CopySelectionToClipboard();
}

void CQuorlexView::CopySelectionToClipboard()
{
    CopyTextToClipboard(ToFlatText(textCursor().selectedText()));
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

void CQuorlexView::OnFileExit()
{
    SaveLastUsedText();
    if (KeyboardSettings().m_bCopyOnExit)
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
    SaveLastUsedText();
    if (KeyboardSettings().m_bCopyOnExit)
        CopyAllToClipboard();
    ReleaseKeyboardResources();
}

void CQuorlexView::KeepTextAtEnd(bool bFinal)
{
    if (m_bExitSaved)
        return;
    if (m_bKeyboardUp)
        SetViewText(TextOnScreen());
    SaveLastUsedText();
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
    undo();
}

void CQuorlexView::OnEditCut()
{
    if (!textCursor().hasSelection())
        return;
    CopySelectionToClipboard();
    textCursor().removeSelectedText();
}

void CQuorlexView::OnEditCopy()
{
    CopySelectionToClipboard();
}

void CQuorlexView::OnEditPaste()
{
    Clipboard &clipboard = Platform::GetClipboard();
    if (!clipboard.Open())
        return;
    const std::optional<std::u16string> text =
        clipboard.IsUnicodeTextAvailable() ? clipboard.GetUnicodeText() : std::nullopt;
    clipboard.Close();
    if (text)
        insertPlainText(QStringOfUnits(*text));
}

// The edit's own menu, drag and the mouse selection copy through here.
QMimeData *CQuorlexView::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(QStringOfUnits(ToFlatText(textCursor().selectedText())));
    return data;
}

void CQuorlexView::OnEditSelectAll()
{
    selectAll();
    ensureCursorVisible();
}

void CQuorlexView::OnEditClearAll()
{
    OnEditSelectAll();
    textCursor().removeSelectedText();
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
    return QPlainTextEdit::event(event);
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
    if (m_bKeyboardUp)
        SteerPad(PadMoveOfArrow(event->key(), KeyboardSettings().m_bRightHanded != 0));
    if (HandleClipboardKey(event))
        return;
    QPlainTextEdit::keyPressEvent(event);
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

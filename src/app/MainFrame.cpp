#include "app/MainFrame.h"

#include "app/CommandBar.h"
#include "app/CommandIds.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"
#include "app/ScreenScale.h"
#include "app/TaskbarStrip.h"
#include "platform/HotKeys.h"
#include "platform/WindowMessage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

CMainFrame::CMainFrame(CQuorlexDoc *document)
    : m_pView(new CQuorlexView(this, document)), m_pTaskbarStrip(new CTaskbarStrip(this))
{
    setWindowTitle(QStringLiteral("Quorlex"));
    BuildTooltipTable();
    CreateCommands();
    ConnectCommands(document);
    LayOutScreen();
}

void CMainFrame::BuildTooltipTable()
{
    m_tooltips = {QStringLiteral("New"),   QStringLiteral("File"),  QStringLiteral("Help"),
                  QStringLiteral("Cut"),   QStringLiteral("Copy"),  QStringLiteral("Paste"),
                  QStringLiteral("Type Away"), QStringLiteral("Help")};
}

void CMainFrame::CreateCommands()
{
    AddCommand(ID_FILE_SAVE_AS, QStringLiteral("Save As..."));
    AddCommand(ID_FILE_EXIT, QStringLiteral("E&xit"));
    AddCommand(ID_EDIT_UNDO, QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddCommand(ID_EDIT_CUT, QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    AddCommand(ID_EDIT_COPY, QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    AddCommand(ID_EDIT_PASTE, QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    AddCommand(ID_EDIT_SELECT_ALL, QStringLiteral("Select All"));
    AddCommand(ID_EDIT_CLEAR_ALL, QStringLiteral("Clear All"));
    AddCommand(ID_APP_ABOUT, QStringLiteral("About..."));
    AddCommand(ID_TOOLS_HELP, QStringLiteral("&Help..."));
    AddCommand(ID_TOOLS_TYPE_AWAY, QStringLiteral("&Type Away"));
    AddCommand(ID_TOOLS_PREFERENCES, QStringLiteral("&Preferences..."));
    AddCommand(ID_FILE_NEW, QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(ID_FILE_OPEN, QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(ID_FILE_SAVE, QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(ID_APP_EXIT, QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

// Every command is an action of the frame itself, so that its accelerator
// works while the command bar is hidden under the board.
QAction *CMainFrame::AddCommand(int id, const QString &text, const QKeySequence &shortcut)
{
    auto *action = new QAction(text, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    m_commands.insert(id, action);
    return action;
}

void CMainFrame::ConnectCommands(CQuorlexDoc *document)
{
    const auto on = [this](int id, auto receiver, auto method) {
        connect(m_commands.value(id), &QAction::triggered, receiver, method);
    };
    on(ID_FILE_NEW, document, &CQuorlexDoc::OnFileNew);
    on(ID_FILE_OPEN, document, &CQuorlexDoc::OnFileOpen);
    on(ID_FILE_SAVE, document, &CQuorlexDoc::OnFileSave);
    on(ID_FILE_SAVE_AS, document, &CQuorlexDoc::OnFileSaveAs);
    on(ID_APP_EXIT, this, &CMainFrame::OnAppExit);
    on(ID_FILE_EXIT, m_pView, &CQuorlexView::OnFileExit);
    on(ID_EDIT_UNDO, m_pView, &CQuorlexView::OnEditUndo);
    on(ID_EDIT_CUT, m_pView, &CQuorlexView::OnEditCut);
    on(ID_EDIT_COPY, m_pView, &CQuorlexView::OnEditCopy);
    on(ID_EDIT_PASTE, m_pView, &CQuorlexView::OnEditPaste);
    on(ID_EDIT_SELECT_ALL, m_pView, &CQuorlexView::OnEditSelectAll);
    on(ID_EDIT_CLEAR_ALL, m_pView, &CQuorlexView::OnEditClearAll);
    on(ID_TOOLS_HELP, m_pView, &CQuorlexView::OnToolsHelp);
    on(ID_TOOLS_TYPE_AWAY, m_pView, &CQuorlexView::OnToolsTypeAway);
    on(ID_TOOLS_PREFERENCES, m_pView, &CQuorlexView::OnToolsPreferences);
}

void CMainFrame::LayOutScreen()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pTaskbarStrip);
    layout->addWidget(m_pView, 1);
    setFixedSize(kScreenWidth, kScreenHeight);
}

// Below the view, shown or hidden as the frame last asked.
void CMainFrame::CreateCommandBar()
{
    m_pCommandBar = new CCommandBar(this, m_commands, m_tooltips);
    layout()->addWidget(m_pCommandBar);
    m_pCommandBar->setVisible(m_bCommandBarShown);
}

CCommandBar *CMainFrame::CommandBar()
{
    if (m_pCommandBar == nullptr)
        CreateCommandBar();
    return m_pCommandBar;
}

void CMainFrame::showEvent(QShowEvent *event)
{
    if (m_pCommandBar == nullptr && m_bCommandBarShown)
        CreateCommandBar();
    QWidget::showEvent(event);
}

void CMainFrame::SetFullScreen(bool bFullScreen)
{
    m_pTaskbarStrip->setVisible(!bFullScreen);
}

void CMainFrame::ShowCommandBar(bool bShow)
{
    m_bCommandBarShown = bShow;
    if (bShow)
        CommandBar()->setVisible(true);
    else if (m_pCommandBar != nullptr)
        m_pCommandBar->setVisible(false);
}

void CMainFrame::BringToForeground()
{
    if (isMinimized() && !IsOnDeviceScreen())
        showNormal();
    else
        ShowOnScreen();
    raise();
    activateWindow();
}

// A screen of exactly 240 x 320 is a panel of the handheld's own size, a
// framebuffer or a small display of its own: the frame is then the one window
// on it, without the desktop's title bar, as on the handheld.
bool CMainFrame::IsOnDeviceScreen() const
{
    const QScreen *panel = screen();
    return panel != nullptr && panel->geometry().size() == QSize(kScreenWidth, kScreenHeight);
}

void CMainFrame::ShowOnScreen()
{
    if (!IsOnDeviceScreen()) {
        show();
        return;
    }
    // Changing the flags of a shown window hides it; set them once.
    if (!windowFlags().testFlag(Qt::FramelessWindowHint))
        setWindowFlag(Qt::FramelessWindowHint);
    move(0, 0);
    showFullScreen();
}

bool CMainFrame::IsInForeground() const
{
    return isVisible() && !isMinimized() && QApplication::activeWindow() != nullptr;
}

void CMainFrame::OnHotKey(int id)
{
    if (id != HOTKEY_ID_KEYBOARD)
        return;
    if (!IsInForeground())
        BringToForeground();
    else if (m_pPrefSheet == nullptr)
        SwitchAway();
}

// The desktop's task switcher stands in for the handheld's previous program.
// A bare panel has no other program and no switcher: a minimised frame
// could never be brought back there, so it stays.
void CMainFrame::SwitchAway()
{
    if (IsBarePanelPlatform(QGuiApplication::platformName().toLatin1()))
        return;
    showMinimized();
}

// Ctrl+Q is how a desktop quits a program, so it keeps the text as Exit does
// rather than throw away what was typed since.
void CMainFrame::OnAppExit()
{
    m_pView->SaveBeforeClose();
    close();
}

bool CMainFrame::event(QEvent *event)
{
    if (event->type() == static_cast<QEvent::Type>(WM_HOTKEY)) {
        if (const auto *message = dynamic_cast<const WindowMessage *>(event))
            OnHotKey(static_cast<int>(message->WParam()));
        return true;
    }
    return QWidget::event(event);
}

// The window's close button, which comes from the desktop, keeps the text as
// Exit does. Every close the program makes itself (after Exit or Ctrl+Q,
// which have kept the text already, or after the board could not be made)
// leaves the file alone: after a failed start the notepad holds nothing of
// the user's.
void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous())
        m_pView->SaveBeforeClose();
    event->accept();
}

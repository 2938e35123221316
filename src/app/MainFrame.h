#pragma once

#include <QHash>
#include <QStringList>
#include <QWidget>

class CCommandBar;
class CQuorlexDoc;
class CQuorlexView;
class CTaskbarStrip;
class QAction;

// The main window, which is the handheld's whole screen: the taskbar strip
// at the top, the notepad view, and the command bar at the bottom with the
// menus and the toolbar. The board covers all of it when it is up.
class CMainFrame : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kScreenWidth = 240;
    static constexpr int kScreenHeight = 320;
    static constexpr int HOTKEY_ID_KEYBOARD = 444;

    explicit CMainFrame(CQuorlexDoc *document);

    CQuorlexView *View() const { return m_pView; }
    CTaskbarStrip *TaskbarStrip() const { return m_pTaskbarStrip; }
    // The command bar is built when it is first shown or asked for: a start
    // straight into the board never needs it.
    CCommandBar *CommandBar();
    // The action of a command number, or null.
    QAction *Command(int id) const { return m_commands.value(id); }
    const QStringList &ToolTips() const { return m_tooltips; }

    // Hides or shows the taskbar strip.
    void SetFullScreen(bool bFullScreen);
    void ShowCommandBar(bool bShow);
    void BringToForeground();
    // Shows the frame as a window of the desktop, or over the whole screen
    // when that screen is exactly the handheld's size.
    void ShowOnScreen();
    bool IsOnDeviceScreen() const;
    bool IsInForeground() const;

    // The hardware button: up from behind, away when in front.
    void OnHotKey(int id);
    // Ctrl+Q: keeps the text as Exit does and closes.
    void OnAppExit();

    // The preference sheet while it runs, else null; the hot key does
    // nothing while it is set.
    QWidget *m_pPrefSheet = nullptr;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildTooltipTable();
    void CreateCommands();
    QAction *AddCommand(int id, const QString &text, const QKeySequence &shortcut = QKeySequence());
    void ConnectCommands(CQuorlexDoc *document);
    void LayOutScreen();
    void CreateCommandBar();
    void SwitchAway();

    CQuorlexView *m_pView;
    CTaskbarStrip *m_pTaskbarStrip;
    CCommandBar *m_pCommandBar = nullptr;
    bool m_bCommandBarShown = true;
    QStringList m_tooltips;
    QHash<int, QAction *> m_commands;
};

#pragma once

#include "settings/Settings.h"
#include "keyboard/KeyboardHost.h"
#include "keyboard/KeyboardWnd.h"

#include <QWidget>

#include <string>

class CMainFrame;
class CNotepadEdit;
class CQuorlexDoc;
class QPlainTextEdit;

// The portrait notepad. It is the hub the text passes through on its way to
// and from the last-use file, the clipboard and the board's pad, and it
// switches the screen between itself and the full-screen board. The edit
// that shows the text is made when the notepad is first shown or first
// needed: a start straight into the board never lays one out.
class CQuorlexView : public QWidget, public KeyboardHost
{
    Q_OBJECT

public:
    CQuorlexView(CMainFrame *frame, CQuorlexDoc *document);

    CQuorlexDoc *GetDocument() const { return m_pDocument; }
    CKeyboardWnd &KeyboardWindow() { return m_wndKeyboard; }
    // The notepad's edit, made now if it is not there yet.
    QPlainTextEdit *Edit();

    // Creates the keyboard window, fills the notepad by the start action and,
    // when asked to, puts the board up at once.
    void OnInitialUpdate();
    // The text of LastUsed.txt; empty when the file is missing or unreadable.
    // A file that is there but cannot be read is first kept under another name.
    std::u16string ReadLastUsedText();

    std::u16string ViewText() const override;
    void SetViewText(const std::u16string &text) override;
    bool IsKeyboardUp() const override { return m_bKeyboardUp; }
    void SetKeyboardUpFlag(bool up) override { m_bKeyboardUp = up; }
    void ShowKeyboard() override;
    void RestoreNotepadFrame(const QRect &frameRect) override;
    bool SaveLastUsedText() override;
    void CopyAllToClipboard() override;
    QWidget *MainFrame() const override;
    void SetPreferenceSheet(QWidget *sheet) override;

    // Full screen for the board: no taskbar strip, no command bar.
    void SetKeyboardUp();
    void OnActivateView(bool bActivate);
    // Leaving the program for another one copies the text on screen (with
    // "Copy On Exit"); a window of the program's own is no leaving.
    void OnApplicationStateChanged(Qt::ApplicationState state);
    // The whole text the user sees: the pad's while the board is up.
    std::u16string TextOnScreen();
    // The program is ended from outside (a signal, the session's end): the
    // text on screen is kept in LastUsed.txt as Exit keeps it. With bFinal,
    // a close that follows saves nothing more. While the display is still
    // there, a text the file could not take goes to the clipboard.
    void KeepTextAtEnd(bool bFinal, bool bDisplayThere = true);

    void OnFileExit();
    // The window is being closed by other means than a command of the
    // program: the text is kept as by Exit, unless an Exit already saved it.
    void SaveBeforeClose();

    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditSelectAll();
    void OnEditClearAll();
    void OnToolsHelp();
    void OnToolsTypeAway();
    void OnToolsPreferences();

    // What a hardware arrow key does to the pad, by the hand the board is held in.
    enum class PadMove { None, PrevLine, NextLine, CaretLeft, CaretRight };
    static PadMove PadMoveOfArrow(int key, bool bRightHanded);
    // A key for the notepad, before the edit sees it: the arrows steer the
    // pad while the board is up, and the clipboard keys go through the
    // program's clipboard. True when the key is used up.
    bool OnNotepadKey(QKeyEvent *event);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateEdit();
    void ApplyStartAction(int nAction);
    void KeepUnreadableLastUsed();
    void TakeTextFromClipboard();
    void CopySelectionToClipboard();
    void CopyTextToClipboard(const std::u16string &text);
    bool HandleClipboardKey(QKeyEvent *event);
    bool RunOnBoard(int message);

    // Everything the view asks of the keyboard window goes through these.
    void CreateKeyboardWindow();
    void ShowKeyboardWindow();
    void GiveTextToPad(const std::u16string &text);
    void TakeTextFromPad();
    void SteerPad(PadMove move);
    bool TypeIntoPad(QKeyEvent *event);
    void ReleaseKeyboardResources();
    void PostKeyboardClose();
    void RunPreferences();
    const Settings &KeyboardSettings() const;

    CMainFrame *m_pFrame;
    CQuorlexDoc *m_pDocument;
    CKeyboardWnd m_wndKeyboard;
    CNotepadEdit *m_pEdit = nullptr;
    int m_nScreenWidth = 0;
    int m_nScreenHeight = 0;
    bool m_bKeyboardUp = false;
    // The board is about to come up at start: the notepad is already covered.
    bool m_bBoardComing = false;
    // The notepad's text while the board covers it or the edit is not made
    // yet; an edit is then empty.
    std::u16string m_strHeldText;
    bool m_bTextHeld = true;
    // An Exit has saved (or tried to): a close that follows must not save again.
    bool m_bExitSaved = false;
};

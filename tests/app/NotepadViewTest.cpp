#include "ProgramTestSupport.h"

#include "app/CommandBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"
#include "app/TaskbarStrip.h"
#include "dialogs/PropertySheet.h"
#include "keyboard/KeyboardWnd.h"
#include "platform/HotKeys.h"
#include "platform/WindowMessage.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {
const QRect kNotepadArea(0, CTaskbarStrip::kHeight, 240, 320 - CTaskbarStrip::kHeight - CCommandBar::kHeight);

void SendActivation(const ProgramRun &run, bool bActive)
{
    QEvent event(bActive ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    QApplication::sendEvent(run.View(), &event);
}

CKeyboardWnd &Board(const ProgramRun &run)
{
    return run.View()->KeyboardWindow();
}

// Where the view and the board lie in the frame once the layout has settled
// (the board's part empty while it is hidden), and whether the bars show.
std::tuple<QRect, QRect, bool> Areas(const ProgramRun &run)
{
    run.Frame()->layout()->activate();
    const CKeyboardWnd &board = Board(run);
    const bool bBars = run.Frame()->TaskbarStrip()->isVisible() && run.Frame()->CommandBar()->isVisible();
    return {run.View()->isVisible() && !board.isVisible() ? run.View()->geometry() : QRect(),
            board.isVisible() ? QRect(board.mapTo(run.Frame(), QPoint(0, 0)), board.size()) : QRect(), bBars};
}
const std::tuple<QRect, QRect, bool> kNotepadShown(kNotepadArea, QRect(), true);
const std::tuple<QRect, QRect, bool> kBoardShown(QRect(), QRect(0, 0, 240, 320), false);

void Post(QWidget *target, int message, int wParam = 0)
{
    PostWindowMessage(target, message, wParam, 0);
    RunPostedMessages();
}

std::pair<int, int> PlaceInPad(const ProgramRun &run)
{
    return {Board(run).Pad().m_text.m_nLine, Board(run).Pad().m_text.m_nCaret};
}
}

// The text goes into the pad with the caret at its end, and comes back.
// Another program in front may bring back what the board hid; coming back
// puts the board back over the whole screen, but not the notepad.
TEST(NotepadView, TypeAwayTakesTheWholeScreenAndNotepadGivesItBack)
{
    const ProgramRun run;
    run.View()->SetViewText(u"ab\r\nc");
    EXPECT_EQ(Areas(run), kNotepadShown);
    run.Command(ID_TOOLS_TYPE_AWAY);
    EXPECT_TRUE(run.View()->IsKeyboardUp());
    EXPECT_EQ(Areas(run), kBoardShown);
    EXPECT_EQ(Board(run).Pad().GetAllText(), u"ab\r\nc");
    EXPECT_EQ(PlaceInPad(run), std::pair(1, 1));
    EXPECT_EQ(run.m_environment.m_waitCursor.Depth(), 0);
    SendActivation(run, false);
    run.Frame()->SetFullScreen(false);
    run.Frame()->ShowCommandBar(true);
    Board(run).hide();
    SendActivation(run, true);
    EXPECT_EQ(Areas(run), kBoardShown);

    Board(run).Pad().InsertChar(u'd');
    Post(&Board(run), WM_KBD_NOTEPAD);
    EXPECT_FALSE(run.View()->IsKeyboardUp());
    EXPECT_EQ(Areas(run), kNotepadShown);
    EXPECT_EQ(run.View()->ViewText(), u"ab\r\ncd");
    SendActivation(run, false);
    SendActivation(run, true);
    EXPECT_EQ(Areas(run), kNotepadShown);
}

// Up and down run along the line, left and right go between lines, each
// turned round for the other hand; without the board they only move the
// notepad's caret.
TEST(NotepadView, HardwareArrowsSteerThePadByDirection)
{
    for (const bool bRight : {true, false}) {
        const ProgramRun run([bRight](Settings &s) { s.m_bRightHanded = bRight ? 1 : 0; });
        run.View()->SetViewText(u"abc\r\ndef");
        const auto press = [&run](Qt::Key right, Qt::Key left, bool bRightHanded) {
            QTest::keyClick(run.View()->Edit(), bRightHanded ? right : left);
            return PlaceInPad(run);
        };
        EXPECT_EQ(press(Qt::Key_Up, Qt::Key_Up, bRight), std::pair(0, 0));
        run.View()->ShowKeyboard();
        EXPECT_EQ(press(Qt::Key_Down, Qt::Key_Up, bRight), std::pair(1, 2)) << bRight;
        EXPECT_EQ(press(Qt::Key_Up, Qt::Key_Down, bRight), std::pair(1, 3)) << bRight;
        EXPECT_EQ(press(Qt::Key_Left, Qt::Key_Right, bRight).first, 0) << bRight;
        EXPECT_EQ(press(Qt::Key_Right, Qt::Key_Left, bRight).first, 1) << bRight;
    }
}

// Only another program taking the focus copies, never a window of the
// program's own (a question, the preference sheet), and what it copies is
// the text on screen: the pad's while the board is up. The caret stays where
// it was: a selection of everything would make the next key press on return
// replace the whole text.
TEST(NotepadView, LeavingTheProgramCopiesTheTextOnScreenOnlyWithCopyOnExit)
{
    const auto leave = [] { emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive); };
    for (const bool bCopy : {false, true}) {
        const ProgramRun run([bCopy](Settings &s) { s.m_bCopyOnExit = bCopy; });
        const std::u16string &clipboard = run.m_environment.m_clipboard.m_text;
        run.View()->SetViewText(u"one\r\ntwo");
        run.View()->Edit()->moveCursor(QTextCursor::Start);
        SendActivation(run, false);
        EXPECT_EQ(clipboard, u"");
        leave();
        EXPECT_EQ(clipboard, bCopy ? u"one\r\ntwo" : u"");
        EXPECT_FALSE(run.m_environment.m_clipboard.m_bOpen);
        SendActivation(run, true);
        QTest::keyClicks(run.View()->Edit(), ">");
        EXPECT_EQ(run.View()->ViewText(), u">one\r\ntwo");

        run.View()->ShowKeyboard();
        Board(run).Pad().InsertChar(u'!');
        SendActivation(run, false);
        EXPECT_EQ(clipboard, bCopy ? u"one\r\ntwo" : u"");
        leave();
        EXPECT_EQ(clipboard, bCopy ? u">one\r\ntwo!" : u"");
    }
}

// Another key's id does nothing; the preference sheet keeps the program in
// front while it runs. (The button's toggling is the real-window suite's.)
TEST(NotepadView, OnlyTheProgramsHotKeyActsAndNotOverThePreferenceSheet)
{
    const ProgramRun run;
    ASSERT_TRUE(run.Activate());
    Post(run.Frame(), WM_HOTKEY, 445);
    EXPECT_FALSE(run.Frame()->isMinimized());
    WhenModal<CPropertySheet>([&run](CPropertySheet &sheet) {
        EXPECT_EQ(run.Frame()->m_pPrefSheet, &sheet);
        Post(run.Frame(), WM_HOTKEY, CMainFrame::HOTKEY_ID_KEYBOARD);
        sheet.EndDialog(IDCANCEL);
    });
    run.Command(ID_TOOLS_PREFERENCES);
    EXPECT_FALSE(run.Frame()->isMinimized());
    EXPECT_EQ(run.Frame()->m_pPrefSheet, nullptr);
}

// The edit's own clipboard keys would bypass the program's clipboard; a
// leading U+FEFF or U+FFFE is the user's text, neither dropped nor taken as a
// sign to swap the bytes after it. Clear All and New ask nothing and can be undone.
// Long lines wrap.
TEST(NotepadView, NotepadEditsThroughTheProgramClipboardAndWrapsItsLines)
{
    ProgramRun run;
    FakeClipboard &clipboard = run.m_environment.m_clipboard;
    run.View()->SetViewText(u"ab\r\ncd");
    run.View()->Edit()->selectAll();
    QTest::keyClick(run.View()->Edit(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.m_text, u"ab\r\ncd");
    for (const std::u16string text : {u"\uFEFFab\r\nc", u"\uFFFEab\r\nc"}) {
        run.View()->SetViewText(text);
        EXPECT_EQ(run.View()->ViewText(), text);
        run.View()->SetViewText(u"");
        clipboard.SetText(text);
        QTest::keyClick(run.View()->Edit(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(run.View()->ViewText(), text);
    }
    EXPECT_FALSE(clipboard.m_bOpen);
    // New asks nothing either: one Undo brings the text back.
    for (const int command : {ID_EDIT_CLEAR_ALL, ID_FILE_NEW}) {
        run.Command(command);
        EXPECT_EQ(run.View()->ViewText(), u"");
        run.Command(ID_EDIT_UNDO);
        EXPECT_EQ(run.View()->ViewText(), u"\uFFFEab\r\nc") << command;
    }
    EXPECT_EQ(run.Document()->GetPathName(), QString()) << "a new text names no file";
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());

    run.View()->SetViewText(u"the quick brown fox jumps over the lazy dog and keeps on running far "
                            u"Donaudampfschifffahrtsgesellschaftskapitaensmuetzenabzeichen");
    QApplication::processEvents();
    EXPECT_GE(run.View()->Edit()->document()->firstBlock().layout()->lineCount(), 3);
    EXPECT_FALSE(run.View()->Edit()->horizontalScrollBar()->isVisible());
}

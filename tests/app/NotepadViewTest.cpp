#include "ProgramTestSupport.h"

#include "app/CommandBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexView.h"
#include "app/TaskbarStrip.h"
#include "keyboard/KeyboardWnd.h"
#include "platform/HotKeys.h"
#include "platform/WindowMessage.h"
#include "prefs/ProgramIcon.h"
#include "support/DialogDriver.h"
#include "dialogs/PropertySheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLayout>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {
constexpr int kNotepadHeight = 320 - CTaskbarStrip::kHeight - CCommandBar::kHeight;

void SendActivation(const ProgramRun &run, bool bActive)
{
    QEvent event(bActive ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    QApplication::sendEvent(run.View(), &event);
}

// Where the view lies in the frame once the layout has settled.
QRect ViewArea(const ProgramRun &run)
{
    run.Frame()->layout()->activate();
    return run.View()->geometry();
}

bool BarsHidden(const ProgramRun &run)
{
    return run.Frame()->TaskbarStrip()->isHidden() && run.Frame()->CommandBar()->isHidden();
}

void PressHotKey(const ProgramRun &run, int id)
{
    PostWindowMessage(run.Frame(), WM_HOTKEY, id, 0);
    RunPostedMessages();
}

CKeyboardWnd &Board(const ProgramRun &run)
{
    return run.View()->KeyboardWindow();
}

// The part of the frame the board covers, empty while it is hidden.
QRect BoardArea(const ProgramRun &run)
{
    run.Frame()->layout()->activate();
    const CKeyboardWnd &board = Board(run);
    return board.isVisible() ? QRect(board.mapTo(run.Frame(), QPoint(0, 0)), board.size()) : QRect();
}

// The side menu's "Notepad".
void BackToNotepad(const ProgramRun &run)
{
    PostWindowMessage(&Board(run), WM_KBD_NOTEPAD);
    RunPostedMessages();
}

struct PadPlace {
    int nLine;
    int nCaret;
    bool operator==(const PadPlace &) const = default;
};

PadPlace PlaceInPad(const ProgramRun &run)
{
    const PadText &text = Board(run).Pad().m_text;
    return {text.m_nLine, text.m_nCaret};
}
}

// The text goes into the pad with the caret at its end, and comes back.
TEST(NotepadView, TypeAwayTakesTheWholeScreenAndNotepadGivesItBack)
{
    const ProgramRun run;
    run.View()->SetViewText(u"ab\r\nc");
    EXPECT_EQ(ViewArea(run), QRect(0, CTaskbarStrip::kHeight, 240, kNotepadHeight));
    run.Command(ID_TOOLS_TYPE_AWAY);
    EXPECT_TRUE(run.View()->IsKeyboardUp());
    EXPECT_TRUE(BarsHidden(run));
    EXPECT_EQ(BoardArea(run), QRect(0, 0, 240, 320));
    EXPECT_EQ(Board(run).Pad().GetAllText(), u"ab\r\nc");
    EXPECT_EQ(PlaceInPad(run), (PadPlace{1, 1}));
    EXPECT_EQ(run.m_environment.m_waitCursor.Depth(), 0);

    Board(run).Pad().InsertChar(u'd');
    BackToNotepad(run);
    EXPECT_FALSE(run.View()->IsKeyboardUp());
    EXPECT_EQ(BoardArea(run), QRect());
    EXPECT_TRUE(run.Frame()->TaskbarStrip()->isVisible());
    EXPECT_TRUE(run.Frame()->CommandBar()->isVisible());
    EXPECT_EQ(ViewArea(run), QRect(0, CTaskbarStrip::kHeight, 240, kNotepadHeight));
    EXPECT_EQ(run.View()->ViewText(), u"ab\r\ncd");
}

// Another program in front may bring back what the board hid.
TEST(NotepadView, ComingBackPutsTheBoardBackFullScreenButNotTheNotepad)
{
    const ProgramRun run;
    run.View()->ShowKeyboard();
    SendActivation(run, false);
    run.Frame()->SetFullScreen(false);
    run.Frame()->ShowCommandBar(true);
    Board(run).hide();
    SendActivation(run, true);
    EXPECT_TRUE(BarsHidden(run));
    EXPECT_EQ(BoardArea(run), QRect(0, 0, 240, 320));

    BackToNotepad(run);
    SendActivation(run, false);
    SendActivation(run, true);
    EXPECT_FALSE(BarsHidden(run));
    EXPECT_EQ(BoardArea(run), QRect());
}

// Up and down run along the line, left and right go between lines, each
// turned round for the other hand; without the board they only move the
// notepad's caret.
TEST(NotepadView, HardwareArrowsSteerThePadByDirection)
{
    for (const bool bRight : {true, false}) {
        const ProgramRun run([bRight](Settings &s) { s.m_bRightHanded = bRight ? 1 : 0; });
        run.View()->SetViewText(u"abc\r\ndef");
        QTest::keyClick(run.View(), Qt::Key_Up);
        EXPECT_EQ(PlaceInPad(run), (PadPlace{0, 0}));
        run.View()->ShowKeyboard();
        QTest::keyClick(run.View(), bRight ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(PlaceInPad(run), (PadPlace{1, 2})) << bRight;
        QTest::keyClick(run.View(), bRight ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(PlaceInPad(run), (PadPlace{1, 3})) << bRight;
        QTest::keyClick(run.View(), bRight ? Qt::Key_Left : Qt::Key_Right);
        EXPECT_EQ(PlaceInPad(run).nLine, 0) << bRight;
        QTest::keyClick(run.View(), bRight ? Qt::Key_Right : Qt::Key_Left);
        EXPECT_EQ(PlaceInPad(run).nLine, 1) << bRight;
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
        run.View()->moveCursor(QTextCursor::Start);
        SendActivation(run, false);
        EXPECT_EQ(clipboard, u"");
        leave();
        EXPECT_EQ(clipboard, bCopy ? u"one\r\ntwo" : u"");
        EXPECT_FALSE(run.m_environment.m_clipboard.m_bOpen);
        SendActivation(run, true);
        QTest::keyClicks(run.View(), QStringLiteral(">"));
        EXPECT_EQ(run.View()->ViewText(), u">one\r\ntwo");

        run.View()->ShowKeyboard();
        Board(run).Pad().InsertChar(u'!');
        SendActivation(run, false);
        EXPECT_EQ(clipboard, bCopy ? u"one\r\ntwo" : u"");
        leave();
        EXPECT_EQ(clipboard, bCopy ? u">one\r\ntwo!" : u"");
    }
}

TEST(NotepadView, HotKeyTogglesBetweenThisProgramAndTheOthers)
{
    const ProgramRun run;
    ASSERT_TRUE(run.Activate());
    PressHotKey(run, 445);
    EXPECT_FALSE(run.Frame()->isMinimized());
    PressHotKey(run, CMainFrame::HOTKEY_ID_KEYBOARD);
    EXPECT_TRUE(run.Frame()->isMinimized());
    PressHotKey(run, CMainFrame::HOTKEY_ID_KEYBOARD);
    EXPECT_FALSE(run.Frame()->isMinimized());

    // The preference sheet keeps the program in front while it runs.
    ASSERT_TRUE(run.Activate());
    WhenModal<CPropertySheet>([&run](CPropertySheet &sheet) {
        EXPECT_EQ(run.Frame()->m_pPrefSheet, &sheet);
        PressHotKey(run, CMainFrame::HOTKEY_ID_KEYBOARD);
        sheet.EndDialog(IDCANCEL);
    });
    run.Command(ID_TOOLS_PREFERENCES);
    EXPECT_FALSE(run.Frame()->isMinimized());
    EXPECT_EQ(run.Frame()->m_pPrefSheet, nullptr);
}

TEST(NotepadView, ClearAllEmptiesTheNotepadWithoutAQuestion)
{
    const ProgramRun run;
    run.View()->SetViewText(u"a\r\nb");
    run.Command(ID_EDIT_CLEAR_ALL);
    EXPECT_EQ(run.View()->ViewText(), u"");
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
    run.Command(ID_EDIT_UNDO);
    EXPECT_EQ(run.View()->ViewText(), u"a\r\nb");
}

// The edit's own keys would bypass the program's clipboard.
TEST(NotepadView, ClipboardKeysUseTheProgramClipboardWithCrLf)
{
    ProgramRun run;
    run.View()->SetViewText(u"ab\r\ncd");
    run.View()->selectAll();
    QTest::keyClick(run.View(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(run.m_environment.m_clipboard.m_text, u"ab\r\ncd");
    run.m_environment.m_clipboard.SetText(u"x\r\ny");
    QTest::keyClick(run.View(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(run.View()->ViewText(), u"x\r\ny");
    EXPECT_FALSE(run.m_environment.m_clipboard.m_bOpen);
}

// A leading U+FEFF or U+FFFE is the user's text: neither dropped nor taken
// as a sign to swap the bytes of everything after it.
TEST(NotepadView, TextStartingWithByteOrderMarkCharactersComesBackAsItWent)
{
    ProgramRun run;
    for (const std::u16string text : {u"\uFEFFab\r\nc", u"\uFFFEab\r\nc"}) {
        run.View()->SetViewText(text);
        EXPECT_EQ(run.View()->ViewText(), text);
        run.View()->SetViewText(u"");
        run.m_environment.m_clipboard.SetText(text);
        run.View()->OnEditPaste();
        EXPECT_EQ(run.View()->ViewText(), text);
    }
}

TEST(NotepadView, LongLinesWrapInsteadOfScrollingSideways)
{
    const ProgramRun run;
    run.View()->SetViewText(u"the quick brown fox jumps over the lazy dog and keeps on running far "
                            u"Donaudampfschifffahrtsgesellschaftskapitaensmuetzenabzeichen");
    QApplication::processEvents();
    EXPECT_GE(run.View()->document()->firstBlock().layout()->lineCount(), 3);
    EXPECT_FALSE(run.View()->horizontalScrollBar()->isVisible());
}

// Shift+Enter breaks the line inside the edit; everywhere the text goes it is
// the same CR LF as Enter.
TEST(NotepadView, LineBreaksOfShiftEnterLeaveAsCrLf)
{
    ProgramRun run;
    QTest::keyClicks(run.View(), QStringLiteral("ab"));
    QTest::keyClick(run.View(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(run.View(), QStringLiteral("c"));
    EXPECT_EQ(run.View()->ViewText(), u"ab\r\nc");
    run.View()->selectAll();
    run.View()->OnEditCut();
    EXPECT_EQ(run.m_environment.m_clipboard.m_text, u"ab\r\nc");
    run.View()->undo();
    run.View()->SaveLastUsedText();
    EXPECT_EQ(ReadBytes(run.View()->LastUsedPath()), Bytes({0xFF, 0xFE, 'a', 0, 'b', 0, '\r', 0, '\n', 0, 'c', 0}));
    run.Command(ID_TOOLS_TYPE_AWAY);
    EXPECT_EQ(Board(run).Pad().m_text.m_lines, (std::vector<std::u16string>{u"ab", u"c"}));
}

// The desktop shows the icon of the menu entry on the window, not a blank.
TEST(NotepadView, WindowCarriesTheProgramIcon)
{
    const ProgramRun run;
    const auto argb = [](const QPixmap &pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(argb(run.Frame()->windowIcon().pixmap(32, 32)), argb(ProgramIcon()));
}

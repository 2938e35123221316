#include "ProgramTestSupport.h"

#include "app/CommandBar.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexApp.h"
#include "app/QuorlexView.h"
#include "app/TaskbarStrip.h"
#include "platform/WindowMessage.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {
constexpr int kHotKeyMessage = 0x0312;

void SendActivation(CQuorlexView *view, bool bActive)
{
    QEvent event(bActive ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    QApplication::sendEvent(view, &event);
}

// Where the view lies in the frame once the layout has settled.
QRect ViewArea(CQuorlexApp &program)
{
    program.MainFrame()->layout()->activate();
    return program.View()->geometry();
}

bool BarsShown(CQuorlexApp &program)
{
    return program.MainFrame()->TaskbarStrip()->isVisible() && program.MainFrame()->CommandBar()->isVisible();
}

bool BarsHidden(CQuorlexApp &program)
{
    return program.MainFrame()->TaskbarStrip()->isHidden() && program.MainFrame()->CommandBar()->isHidden();
}

void PressHotKey(CMainFrame *frame, int id)
{
    PostWindowMessage(frame, kHotKeyMessage, id, 0);
    RunPostedMessages();
}
}

TEST(NotepadView, TypeAwayTakesTheWholeScreenAndNotepadGivesItBack)
{
    TestEnvironment environment;
    WritePreferences();
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    CQuorlexView *view = program.View();
    EXPECT_TRUE(BarsShown(program));
    EXPECT_EQ(ViewArea(program), QRect(0, CTaskbarStrip::kHeight, 240, 320 - CTaskbarStrip::kHeight - CCommandBar::kHeight));

    program.MainFrame()->Command(ID_TOOLS_TYPE_AWAY)->trigger();
    EXPECT_TRUE(view->IsKeyboardUp());
    EXPECT_TRUE(BarsHidden(program));
    EXPECT_EQ(ViewArea(program), QRect(0, 0, 240, 320));
    EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(environment.m_waitCursor.Depth(), 0);

    // What the board's "Notepad" does to the view.
    view->SetKeyboardUpFlag(false);
    view->RestoreNotepadFrame(program.MainFrame()->geometry());
    EXPECT_TRUE(BarsShown(program));
    EXPECT_EQ(ViewArea(program).height(), 320 - CTaskbarStrip::kHeight - CCommandBar::kHeight);
    EXPECT_EQ(program.MainFrame()->size(), QSize(240, 320));
}

TEST(NotepadView, OpenKbOnStartPutsTheBoardUpAtOnce)
{
    TestEnvironment environment;
    WritePreferences([](Settings &s) { s.m_bOpenKBOnStart = 1; });
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    EXPECT_TRUE(program.View()->IsKeyboardUp());
    EXPECT_TRUE(BarsHidden(program));
}

// Another program in front may bring back what the board hid; coming back
// puts the board full screen again.
TEST(NotepadView, ComingBackToTheProgramPutsTheBoardBackFullScreen)
{
    TestEnvironment environment;
    WritePreferences();
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    program.View()->ShowKeyboard();
    SendActivation(program.View(), false);
    program.MainFrame()->SetFullScreen(false);
    program.MainFrame()->ShowCommandBar(true);
    SendActivation(program.View(), true);
    EXPECT_TRUE(BarsHidden(program));

    program.View()->SetKeyboardUpFlag(false);
    program.View()->RestoreNotepadFrame(QRect());
    SendActivation(program.View(), false);
    SendActivation(program.View(), true);
    EXPECT_TRUE(BarsShown(program));
}

TEST(NotepadView, LeavingTheProgramCopiesTheTextOnlyWithCopyOnExit)
{
    {
        TestEnvironment environment;
        WritePreferences([](Settings &s) { s.m_bCopyOnExit = 1; });
        CQuorlexApp program;
        ASSERT_TRUE(program.InitInstance());
        program.View()->SetViewText(u"one\r\ntwo");
        SendActivation(program.View(), false);
        EXPECT_EQ(environment.m_clipboard.m_text, u"one\r\ntwo");
        EXPECT_FALSE(environment.m_clipboard.m_bOpen);
    }
    {
        TestEnvironment environment;
        WritePreferences([](Settings &s) { s.m_bCopyOnExit = 0; });
        CQuorlexApp program;
        ASSERT_TRUE(program.InitInstance());
        program.View()->SetViewText(u"one");
        SendActivation(program.View(), false);
        EXPECT_EQ(environment.m_clipboard.m_nOpens, 0);
    }
}

TEST(NotepadView, HotKeyTogglesBetweenThisProgramAndTheOthers)
{
    TestEnvironment environment;
    WritePreferences();
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    CMainFrame *frame = program.MainFrame();
    ASSERT_TRUE(ActivateFrame(frame));

    PressHotKey(frame, 445);
    EXPECT_FALSE(frame->isMinimized());
    PressHotKey(frame, CMainFrame::HOTKEY_ID_KEYBOARD);
    EXPECT_TRUE(frame->isMinimized());
    PressHotKey(frame, CMainFrame::HOTKEY_ID_KEYBOARD);
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_TRUE(frame->isVisible());

    QWidget sheet;
    frame->m_pPrefSheet = &sheet;
    ASSERT_TRUE(ActivateFrame(frame));
    PressHotKey(frame, CMainFrame::HOTKEY_ID_KEYBOARD);
    EXPECT_FALSE(frame->isMinimized());
    frame->m_pPrefSheet = nullptr;
}

TEST(NotepadView, ClearAllEmptiesTheNotepadWithoutAQuestion)
{
    TestEnvironment environment;
    WritePreferences();
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    program.View()->SetViewText(u"a\r\nb");
    program.MainFrame()->Command(ID_EDIT_CLEAR_ALL)->trigger();
    EXPECT_EQ(program.View()->ViewText(), u"");
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    program.MainFrame()->Command(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(program.View()->ViewText(), u"a\r\nb");
}

// The notepad's cut, copy and paste, from the menu and from the keys, use
// the program's clipboard and give it CR LF line breaks.
TEST(NotepadView, ClipboardCommandsUseTheProgramClipboard)
{
    TestEnvironment environment;
    WritePreferences();
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    CQuorlexView *view = program.View();
    view->SetViewText(u"ab\r\ncd");
    QTextCursor cursor = view->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(environment.m_clipboard.m_text, u"b\r\nc");

    program.MainFrame()->Command(ID_EDIT_CUT)->trigger();
    EXPECT_EQ(view->ViewText(), u"ad");
    view->moveCursor(QTextCursor::End);
    environment.m_clipboard.SetText(u"x\r\ny");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(view->ViewText(), u"adx\r\ny");
    EXPECT_FALSE(environment.m_clipboard.m_bOpen);
}

TEST(NotepadView, LongLinesWrapInsteadOfScrollingSideways)
{
    TestEnvironment environment;
    WritePreferences();
    CQuorlexApp program;
    ASSERT_TRUE(program.InitInstance());
    program.View()->SetViewText(u"the quick brown fox jumps over the lazy dog and keeps on running far "
                                u"Donaudampfschifffahrtsgesellschaftskapitaensmuetzenabzeichen");
    QApplication::processEvents();
    const QTextBlock block = program.View()->document()->firstBlock();
    EXPECT_GE(block.layout()->lineCount(), 3);
    EXPECT_FALSE(program.View()->horizontalScrollBar()->isVisible());
}

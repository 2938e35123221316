#include "keyboard/KeyboardWnd.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

namespace {
enum Slot { DEL = 0, LIST = 8, BACK = 9, E = 22, A = 30, MENU = 50, SHIFT = 52, LEFT = 53, SPACE = 54,
            RIGHT = 56, CAPS = 57, PUNCT = 58, UMLAUT = 59 };

class KeyPress : public testing::Test
{
protected:
    void SetUp() override { Make(KL_FLAT, true); }
    void Make(int layout, bool rightHanded)
    {
        m_wnd = std::make_unique<CKeyboardWnd>();
        m_wnd->GetSettings().m_nKeyLayout = layout;
        m_wnd->GetSettings().m_bRightHanded = rightHanded;
        m_wnd->CreateKeyFonts();
        ASSERT_TRUE(m_wnd->Create(nullptr));
        m_wnd->show();
    }
    QRect KeyRect(int slot) const
    {
        const Rect r = m_wnd->GetKeyRect(KeyCodeOfIndex(slot), slot);
        return QRect(r.left, r.top, r.Width(), r.Height());
    }
    void Press(int slot) { QTest::mousePress(m_wnd.get(), Qt::LeftButton, {}, KeyRect(slot).center()); }
    void Release() { QTest::mouseRelease(m_wnd.get(), Qt::LeftButton, {}, {1, 1}); }
    void Tap(std::initializer_list<int> keys)
    {
        for (const int slot : keys) {
            Press(slot);
            Release();
        }
    }
    std::u16string Line() const { return m_wnd->Pad().m_text.m_strLine; }
    // Each modifier key shows pressed exactly while its flag is set, and
    // every other key shows released.
    void ExpectModifierLook() const
    {
        const std::pair<int, bool> keys[] = {{SHIFT, m_wnd->IsShift()}, {CAPS, m_wnd->IsCaps()},
                                             {PUNCT, m_wnd->IsPunct()}, {UMLAUT, m_wnd->IsUmlaut()}, {A, false}};
        for (const auto &[slot, pressed] : keys) {
            const QRect rect = KeyRect(slot);
            const QImage &composite = pressed ? m_wnd->ComposedDown() : m_wnd->ComposedUp();
            EXPECT_EQ(m_wnd->ScreenImage().copy(rect), composite.copy(rect)) << "slot " << slot;
        }
    }

    TestEnvironment m_environment;
    std::unique_ptr<CKeyboardWnd> m_wnd;
};
}

TEST_F(KeyPress, ModifiersPickThePlaneAndOneCharacterClearsAllButCaps)
{
    struct Case {
        std::initializer_list<int> modifiers;
        int plane;
        char16_t typed;
        bool capsAfter;
    };
    const Case cases[] = {
        {{CAPS}, kPlaneShift, u'A', true},       {{SHIFT}, kPlaneShift, u'A', false},
        {{CAPS, SHIFT}, kPlaneNormal, u'a', true}, {{PUNCT, CAPS}, kPlaneShift, u'A', true},
        {{CAPS, PUNCT}, kPlanePunct, u'|', false}, {{UMLAUT, SHIFT}, kPlaneUmlautShift, u'\u00D2', false},
    };
    for (const Case &c : cases) {
        Make(KL_CREST, true);
        Tap(c.modifiers);
        EXPECT_EQ(m_wnd->CurrentPlane(), m_wnd->GetKeyMap().Plane(c.plane));
        ExpectModifierLook();
        Tap({A});
        EXPECT_EQ(Line(), std::u16string(1, c.typed));
        EXPECT_TRUE(!m_wnd->IsShift() && !m_wnd->IsPunct() && !m_wnd->IsUmlaut());
        EXPECT_EQ(m_wnd->IsCaps(), c.capsAfter);
        ExpectModifierLook();
    }
}

TEST_F(KeyPress, OnlyDeleteBackspaceAndUnshiftedArrowsRepeatWhileHeld)
{
    m_wnd->Pad().InsertText(u"abcdef");
    m_wnd->Pad().CaretLeft();
    // Key, then line and caret after the press and one tick; Shift sends the
    // arrows to the line's ends once and is used up; the rest never repeat.
    for (const auto &[keys, line, caret] :
         {std::tuple<std::vector<int>, const char16_t *, int>{{BACK}, u"abcf", 3}, {{DEL}, u"abc", 3},
          {{LEFT}, u"abc", 1}, {{RIGHT}, u"abc", 3}, {{SHIFT, LEFT}, u"abc", 0}, {{SHIFT, RIGHT}, u"abc", 3},
          {{SPACE}, u"abc ", 4}, {{LIST, LIST}, u"abc ", 4}}) {
        for (std::size_t i = 0; i + 1 < keys.size(); ++i)
            Press(keys[i]), Release();
        Press(keys.back());
        const bool repeats = keys.size() == 1 && keys[0] != SPACE;
        EXPECT_EQ(m_wnd->IsTimerRunning(CKeyboardWnd::kRepeatTimer), repeats);
        m_wnd->OnTimer(CKeyboardWnd::kRepeatTimer);
        Release();
        m_wnd->OnTimer(CKeyboardWnd::kRepeatTimer);
        EXPECT_FALSE(m_wnd->IsTimerRunning(CKeyboardWnd::kRepeatTimer) || m_wnd->IsShift());
        EXPECT_EQ(Line(), line);
        EXPECT_EQ(m_wnd->Pad().m_text.m_nCaret, caret) << keys.back();
    }
    m_wnd->GetSettings().m_bRepeatKey = 0;
    Press(BACK);
    m_wnd->OnTimer(CKeyboardWnd::kRepeatTimer);
    EXPECT_EQ(Line(), u"abc");
}

TEST_F(KeyPress, DoubleTapTypesTwiceWhicheverWayTheSecondTapArrives)
{
    const QPoint e = KeyRect(E).center();
    QTest::mouseClick(m_wnd.get(), Qt::LeftButton, {}, e);
    // Qt's own order: the second press followed by a double click.
    QTest::mousePress(m_wnd.get(), Qt::LeftButton, {}, e);
    QTest::mouseDClick(m_wnd.get(), Qt::LeftButton, {}, e);
    Release();
    EXPECT_EQ(Line(), u"ee");
    // A double click standing for the whole second tap.
    QTest::mouseClick(m_wnd.get(), Qt::LeftButton, {}, e);
    QTest::mouseDClick(m_wnd.get(), Qt::LeftButton, {}, e);
    Release();
    EXPECT_EQ(Line(), u"eeee");
}

TEST_F(KeyPress, LineListKeyAnswersOnlyInItsBandAndPadSlotsDoNothing)
{
    for (const bool rightHanded : {true, false}) {
        Make(KL_TROUGH, rightHanded);
        const auto turn = [&](int x, int y) { return rightHanded ? QPoint(x, y) : QPoint(239 - x, 319 - y); };
        const QImage before = m_wnd->ScreenImage();
        for (const QPoint point : {turn(15, 49), turn(15, 32), turn(0, 100), turn(29, 286)}) {
            QTest::mouseClick(m_wnd.get(), Qt::LeftButton, {}, point);
            EXPECT_EQ(m_wnd->PressedCode(), -1);
        }
        EXPECT_EQ(m_wnd->ScreenImage(), before);
        EXPECT_FALSE(m_wnd->Pad().m_text.m_bListShown || m_wnd->Pad().LineList().isVisible());
        QTest::mouseClick(m_wnd.get(), Qt::LeftButton, {}, turn(15, 40));
        EXPECT_TRUE(m_wnd->Pad().m_text.m_bListShown && m_wnd->Pad().LineList().isVisible());
        QTest::mouseClick(m_wnd.get(), Qt::LeftButton, {}, turn(15, 40));
        EXPECT_FALSE(m_wnd->Pad().m_text.m_bListShown || m_wnd->Pad().LineList().isVisible());
        EXPECT_EQ(m_wnd->ScreenImage(), before);
    }
}

TEST_F(KeyPress, EverySlotIsReachedAtTheCentreOfItsKey)
{
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH, 7})
        for (const bool rightHanded : {true, false}) {
            Make(layout, rightHanded);
            for (int slot = 0; slot < kKeySlotCount; ++slot) {
                Press(slot);
                // Enter and the space bar answer with either of their slots.
                const int hit = m_wnd->PressedIndex();
                EXPECT_EQ(KeyCodeOfIndex(hit), KeyCodeOfIndex(slot)) << layout << rightHanded << " " << slot;
                EXPECT_EQ(KeyRect(hit), KeyRect(slot)) << layout << rightHanded << " " << slot;
                Release();
            }
        }
}

TEST_F(KeyPress, MenuKeyEnablesCutCopyAndPasteFromPadAndClipboard)
{
    CSideMenuWnd &menu = m_wnd->SideMenu();
    FakeClipboard &clipboard = m_environment.m_clipboard;
    // Selection, text on the clipboard, clipboard refusing; then the items.
    for (const auto &[select, text, refuse, items] :
         {std::tuple(false, false, false, 0b000), {true, true, false, 0b111}, {true, false, true, 0b111}}) {
        if (select)
            Tap({A}), m_wnd->Pad().SelectLine();
        clipboard.m_bHasText = text;
        clipboard.m_bRefuseOpen = refuse;
        Tap({MENU});
        EXPECT_TRUE(menu.IsOpening() && menu.isVisible());
        EXPECT_EQ(menu.IsItemEnabled(CKeyboardWnd::kItemCut) * 4 + menu.IsItemEnabled(CKeyboardWnd::kItemCopy) * 2 +
                      menu.IsItemEnabled(CKeyboardWnd::kItemPaste),
                  items);
        const auto animate = [&] {
            for (int tick = 0; tick < 7; ++tick)
                menu.OnTimer(CSideMenuWnd::kAnimationTimer);
        };
        animate();
        Tap({MENU});
        animate();
        EXPECT_FALSE(menu.IsOpening() || menu.isVisible());
    }
    EXPECT_EQ(m_environment.m_prompt.m_texts, QStringList{"Cannot open the Clipboard"});
}

TEST_F(KeyPress, MenuCommandsReleaseTheMenuKeyAndRunOnThePad)
{
    m_wnd->Pad().InsertText(u"ab\r\ncd");
    m_environment.m_prompt.m_answers = {false, true};
    // Command, then the whole text and the clipboard afterwards.
    for (const auto &[message, text, clipboard] : {std::tuple(WM_KBD_SELECTLINE, u"ab\r\ncd", u""),
                                                  {WM_KBD_COPY, u"ab\r\ncd", u"cd"}, {WM_KBD_CUT, u"ab\r\n", u"cd"},
                                                  {WM_KBD_PASTE, u"ab\r\ncd", u"cd"}, {WM_KBD_PASTE, u"ab\r\ncdcd", u"cd"},
                                                  {WM_KBD_COPYALL, u"ab\r\ncdcd", u"ab\r\ncdcd"},
                                                  {WM_KBD_CLEARALL, u"ab\r\ncdcd", u"ab\r\ncdcd"},
                                                  {WM_KBD_CLEARALL, u"", u"ab\r\ncdcd"}}) {
        Press(MENU);
        PostWindowMessage(m_wnd.get(), message);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(m_wnd->PressedCode(), -1);
        EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp());
        m_wnd->Pad().CommitLine();
        EXPECT_EQ(m_wnd->Pad().GetAllText(), text) << message;
        EXPECT_EQ(m_environment.m_clipboard.m_text, clipboard) << message;
        EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
    }
    EXPECT_EQ(m_environment.m_prompt.m_questions,
              QStringList(2, "Are you sure you want to delete all the typed content (all lines) ?"));
}

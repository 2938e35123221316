#include "keyboard/KeyboardHost.h"
#include "keyboard/KeyboardWnd.h"
#include "prefs/ActionPage.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "platform/IniProfile.h"
#include "support/DialogDriver.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTest>

namespace {
// The notepad view as the board sees it: it keeps the text and notes the calls.
struct FakeHost : KeyboardHost {
    std::u16string ViewText() const override { return m_text; }
    void SetViewText(const std::u16string &text) override { m_text = text, m_calls << "SetViewText"; }
    bool IsKeyboardUp() const override { return m_bUp; }
    void SetKeyboardUpFlag(bool up) override { m_bUp = up; }
    void ShowKeyboard() override { m_calls << "ShowKeyboard"; }
    void RestoreNotepadFrame(const QRect &rect) override { m_calls << "Restore", m_rcRestored = rect; }
    bool SaveLastUsedText() override { return m_calls << "Save", true; }
    void CopyAllToClipboard() override { m_calls << "Copy"; }
    QWidget *MainFrame() const override { return &m_frame; }
    void SetPreferenceSheet(QWidget *sheet) override { m_pSheet = sheet; }
    std::u16string m_text;
    bool m_bUp = true;
    QStringList m_calls;
    QRect m_rcRestored;
    QWidget *m_pSheet = nullptr;
    mutable QWidget m_frame;
};

enum Slot { DEL = 0, LIST = 8, BACK = 9, E = 22, A = 30, MENU = 50, SHIFT = 52, LEFT = 53, SPACE = 54,
            RIGHT = 56, CAPS = 57, PUNCT = 58, UMLAUT = 59 };

class KeyboardWnd : public testing::Test
{
protected:
    void SetUp() override { Make(); }
    void Make(int layout = KL_FLAT, bool rightHanded = true, bool refuseImages = false, int fontSize = 12)
    {
        m_wnd = std::make_unique<CKeyboardWnd>();
        Settings &settings = m_wnd->GetSettings();
        std::tie(settings.m_nKeyLayout, settings.m_bRightHanded, settings.m_bAssignHotkey, settings.m_nHotkeyNum,
                 settings.m_nFontSize) = std::tuple(layout, rightHanded, 1, 2, fontSize);
        m_wnd->CreateKeyFonts();
        m_wnd->m_pView = &m_host;
        m_wnd->m_rcFrameSaved = QRect(0, 0, 240, 320);
        m_wnd->RefuseImagesForTest(refuseImages);
        m_host.m_frame.show();
        ASSERT_TRUE(m_wnd->Create(nullptr));
        m_wnd->show();
        Post();
    }
    QRect KeyRect(int slot) const
    {
        const Rect r = m_wnd->GetKeyRect(KeyCodeOfIndex(slot), slot);
        return QRect(r.left, r.top, r.Width(), r.Height());
    }
    void Press(int slot) { QTest::mousePress(m_wnd.get(), Qt::LeftButton, {}, KeyRect(slot).center()); }
    void Release() { QTest::mouseRelease(m_wnd.get(), Qt::LeftButton, {}, {1, 1}); }
    void Tap(const std::vector<int> &keys)
    {
        for (const int slot : keys)
            Press(slot), Release();
    }
    // Runs the posted messages and the close they post in turn.
    void Post(int message = 0)
    {
        if (message != 0)
            PostWindowMessage(m_wnd.get(), message);
        for (int round = 0; round < 3; ++round)
            QCoreApplication::sendPostedEvents();
    }
    std::u16string Line() const { return m_wnd->Pad().m_text.m_strLine; }
    // Runs the preference sheet modally; the action works it as the user would.
    template <typename Action>
    void RunSheet(Action action)
    {
        WhenModal<CPropertySheet>([this, action](CPropertySheet &sheet) {
            EXPECT_EQ(m_host.m_pSheet, &sheet);
            action(sheet);
        });
        m_wnd->ApplyPreferences();
        EXPECT_EQ(m_host.m_pSheet, nullptr);
    }

    TestEnvironment m_environment;
    FakeHost m_host;
    std::unique_ptr<CKeyboardWnd> m_wnd;
};
}

TEST_F(KeyboardWnd, ModifiersPickThePlaneShowPressedAndOneCharacterClearsAllButCaps)
{
    // Each modifier key shows pressed exactly while its flag is set.
    const auto expectLooks = [&] {
        for (const auto &[slot, pressed] : {std::pair(SHIFT, m_wnd->IsShift()), {CAPS, m_wnd->IsCaps()},
                                            {PUNCT, m_wnd->IsPunct()}, {UMLAUT, m_wnd->IsUmlaut()}})
            EXPECT_EQ(m_wnd->ScreenImage().copy(KeyRect(slot)),
                      (pressed ? m_wnd->ComposedDown() : m_wnd->ComposedUp()).copy(KeyRect(slot)));
    };
    // Modifier keys tapped, the plane they give, what "a" types, Caps after.
    for (const auto &[modifiers, plane, typed, caps] :
         {std::tuple<std::vector<int>, int, const char16_t *, bool>{{CAPS}, kPlaneShift, u"A", true},
          {{SHIFT}, kPlaneShift, u"A", false}, {{CAPS, SHIFT}, kPlaneNormal, u"a", true},
          {{PUNCT, CAPS}, kPlaneShift, u"A", true}, {{CAPS, PUNCT}, kPlanePunct, u"|", false},
          {{UMLAUT, SHIFT}, kPlaneUmlautShift, u"\u00D2", false}}) {
        Make(KL_CREST, true);
        Tap(modifiers);
        EXPECT_EQ(m_wnd->CurrentPlane(), m_wnd->GetKeyMap().Plane(plane));
        expectLooks();
        Tap({A});
        EXPECT_EQ(Line(), typed);
        EXPECT_EQ(m_wnd->CurrentPlane(), m_wnd->GetKeyMap().Plane(caps ? kPlaneShift : kPlaneNormal));
        EXPECT_TRUE(!m_wnd->IsShift() && !m_wnd->IsPunct() && !m_wnd->IsUmlaut() && m_wnd->IsCaps() == caps);
        expectLooks();
    }
}

TEST_F(KeyboardWnd, OnlyDeleteBackspaceAndUnshiftedArrowsRepeatAtTheIntervalWhileHeld)
{
    m_wnd->Pad().InsertText(u"abcdef");
    m_wnd->Pad().CaretLeft();
    // Keys (the last one held), then line and caret after the press and one
    // tick; Shift sends the arrows to the line's ends once and is used up.
    for (const auto &[keys, line, caret] :
         {std::tuple<std::vector<int>, const char16_t *, int>{{BACK}, u"abcf", 3}, {{DEL}, u"abc", 3},
          {{LEFT}, u"abc", 1}, {{RIGHT}, u"abc", 3}, {{SHIFT, LEFT}, u"abc", 0}, {{SHIFT, RIGHT}, u"abc", 3},
          {{SPACE}, u"abc ", 4}, {{LIST, LIST}, u"abc ", 4}}) {
        Tap(std::vector<int>(keys.begin(), keys.end() - 1));
        Press(keys.back());
        EXPECT_EQ(m_wnd->TimerInterval(100), keys.size() == 1 && keys[0] != SPACE ? 200 : 0);
        m_wnd->OnTimer(CKeyboardWnd::kRepeatTimer);
        Release();
        m_wnd->OnTimer(CKeyboardWnd::kRepeatTimer);
        EXPECT_FALSE(m_wnd->IsTimerRunning(CKeyboardWnd::kRepeatTimer) || m_wnd->IsShift());
        EXPECT_EQ(Line(), line);
        EXPECT_EQ(m_wnd->Pad().m_text.m_nCaret, caret) << keys.back();
    }
    // The press acts at once, the first repeat comes one interval later, and
    // the interval is held to 10 to 1000 ms.
    for (const auto &[stored, interval] : {std::pair(5, 10), {10, 10}, {1000, 1000}, {1001, 1000}, {-7, 10}}) {
        m_wnd->Pad().InsertText(u"xy");
        m_wnd->GetSettings().m_nRepeatInterval = stored;
        Press(BACK);
        EXPECT_EQ(m_wnd->TimerInterval(CKeyboardWnd::kRepeatTimer), interval) << stored;
        EXPECT_EQ(Line(), u"abc x");
        m_wnd->OnTimer(CKeyboardWnd::kRepeatTimer);
        Release();
        EXPECT_EQ(Line(), u"abc ");
    }
    m_wnd->GetSettings().m_bRepeatKey = 0;
    Press(BACK);
    m_wnd->OnTimer(CKeyboardWnd::kRepeatTimer);
    EXPECT_EQ(Line(), u"abc");
}

TEST_F(KeyboardWnd, DoubleTapTypesTwiceWhicheverWayTheSecondTapArrives)
{
    // Qt's own order, the second press followed by a double click; then a
    // double click standing for the whole second tap.
    for (const bool qtOrder : {true, false}) {
        Tap({E});
        if (qtOrder)
            Press(E);
        QTest::mouseDClick(m_wnd.get(), Qt::LeftButton, {}, KeyRect(E).center());
        Release();
    }
    EXPECT_EQ(Line(), u"eeee");
}

// The list lies over the keys: a tap that picks a line must not also reach
// the key underneath.
TEST_F(KeyboardWnd, LineListKeyAnswersOnlyInItsBandAndATapOnTheListTypesNothing)
{
    for (const bool rightHanded : {true, false}) {
        Make(KL_TROUGH, rightHanded);
        m_wnd->Pad().InsertText(u"one\r\ntwo\r\nthree");
        CLineListWnd &list = m_wnd->Pad().LineList();
        const auto tap = [&](int x, int y) {
            QTest::mouseClick(m_wnd.get(), Qt::LeftButton, {}, rightHanded ? QPoint(x, y) : QPoint(239 - x, 319 - y));
            return m_wnd->Pad().m_text.m_bListShown && list.isVisible();
        };
        const QImage before = m_wnd->ScreenImage();
        EXPECT_FALSE(tap(15, 49) || tap(15, 32) || tap(0, 100) || tap(29, 286));
        EXPECT_TRUE(tap(15, 40));
        const int across = list.Unit() + list.Unit() / 2;
        QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(rightHanded ? 1 + across : list.width() - 2 - across, 160));
        EXPECT_FALSE(list.isVisible());
        EXPECT_EQ(m_wnd->Pad().m_text.m_nLine, 1);
        EXPECT_EQ(m_wnd->Pad().GetAllText(), u"one\r\ntwo\r\nthree");
        EXPECT_EQ(m_wnd->ScreenImage(), before);
    }
}

TEST_F(KeyboardWnd, MenuKeyEnablesCutCopyAndPasteFromPadAndClipboardAndACommandReleasesIt)
{
    CSideMenuWnd &menu = m_wnd->SideMenu();
    // Selection, text on the clipboard, clipboard refusing; then the items.
    for (const auto &[select, text, refuse, items] :
         {std::tuple(false, false, false, 0b000), {true, true, false, 0b111}, {true, false, true, 0b111}}) {
        if (select)
            Tap({A}), m_wnd->Pad().SelectLine();
        m_environment.m_clipboard.m_bHasText = text;
        m_environment.m_clipboard.m_bRefuseOpen = refuse;
        for (int toggle = 0; toggle < 2; ++toggle) {
            Tap({MENU});
            EXPECT_EQ(menu.IsOpening() && menu.isVisible(), toggle == 0);
            for (int tick = 0; tick < 7; ++tick)
                menu.OnTimer(CSideMenuWnd::kAnimationTimer);
        }
        EXPECT_EQ(menu.IsItemEnabled(CKeyboardWnd::kItemCut) * 4 + menu.IsItemEnabled(CKeyboardWnd::kItemCopy) * 2 +
                      menu.IsItemEnabled(CKeyboardWnd::kItemPaste),
                  items);
    }
    EXPECT_EQ(m_environment.m_prompt.m_texts, QStringList{"Cannot open the Clipboard"});
    // A command from the menu lets the menu key go and runs on the pad.
    m_environment.m_clipboard.m_bRefuseOpen = false;
    Press(MENU);
    Post(WM_KBD_COPYALL);
    EXPECT_TRUE(m_wnd->PressedCode() == -1 && m_wnd->ScreenImage() == m_wnd->ComposedUp());
    EXPECT_TRUE(m_environment.m_clipboard.m_text == u"a" && m_environment.m_waitCursor.Depth() == 0);
}

TEST_F(KeyboardWnd, TheFontSizeIsHeldToOneRangeForPadAndLabels)
{
    for (const auto &[stored, used] : {std::pair(2000000000, 500), std::pair(-5, 1)}) {
        Make(KL_FLAT, true, false, stored);
        const int height = PointSizeToHeight(ScreenDotsPerInchY(), used);
        EXPECT_EQ(m_wnd->Pad().Font().Description().lfHeight, height) << stored;
        EXPECT_EQ(m_wnd->KeyFont().Description().lfHeight, height) << stored;
    }
}

TEST_F(KeyboardWnd, NotepadPreferencesAndExitHandTheWholeTextToTheView)
{
    EXPECT_EQ(m_environment.m_hotKeys.RegisteredKey(444), 0xC2u);
    m_wnd->Pad().InsertText(u"a\tb\r\nc");
    m_wnd->Pad().InsertChar(u'd');
    Post(WM_KBD_NOTEPAD);
    EXPECT_EQ(m_host.m_text, u"a\tb\r\ncd");
    EXPECT_FALSE(m_host.m_bUp || m_wnd->isVisible());
    EXPECT_EQ(m_host.m_rcRestored, QRect(0, 0, 240, 320));
    WhenModal<CPropertySheet>([](CPropertySheet &sheet) { sheet.EndDialog(IDCANCEL); });
    Post(WM_KBD_PREFERENCES);
    EXPECT_EQ(m_host.m_calls, (QStringList{"SetViewText", "Restore", "SetViewText", "Restore", "ShowKeyboard"}));
    for (const bool copyOnExit : {false, true}) {
        m_host.m_calls.clear();
        Make();
        m_wnd->GetSettings().m_bCopyOnExit = copyOnExit;
        m_wnd->Pad().InsertText(u"x");
        Post(WM_KBD_EXIT);
        EXPECT_EQ(m_host.m_text, u"x");
        EXPECT_EQ(m_host.m_calls, QStringList({"SetViewText", "Save", "Copy"}).mid(0, copyOnExit ? 3 : 2));
        EXPECT_TRUE(m_wnd->ScreenImage().isNull() && m_wnd->SkinBitmap(SI_BACKGROUND_UP).isNull());
        EXPECT_EQ(m_environment.m_hotKeys.RegisteredKey(444), 0u);
        EXPECT_FALSE(m_host.m_frame.isVisible() || m_wnd->isVisible());
    }
}

TEST_F(KeyboardWnd, ImageFailuresAreReportedReleaseGoesOnAndCreationEndsInTheClose)
{
    {
        QPainter skin(&const_cast<QImage &>(m_wnd->SkinBitmap(SI_BACKGROUND_UP)));
        QPainter screen(&const_cast<QImage &>(m_wnd->ScreenImage()));
        m_wnd->ReleaseGdiResources();
    }
    EXPECT_TRUE(m_wnd->ComposedUp().isNull() && m_wnd->SkinBitmap(SI_BUTTON_UP).isNull());
    EXPECT_FALSE(m_wnd->ScreenImage().isNull() || m_wnd->SkinBitmap(SI_BACKGROUND_UP).isNull());
    Make(KL_FLAT, true, true);
    EXPECT_EQ(m_environment.m_prompt.m_texts,
              (QStringList{"DeleteObject m_hBmpUp failed", "DeleteObject m_hBmpMem failed",
                           "Could not load the skin images. Your Pocket PC might be running low on system resources.  "
                           "Please soft reset your Pocket PC and run the application."}));
    EXPECT_FALSE(m_host.m_frame.isVisible());
}

// OK without changes stores all seventeen values and reads key map and skin
// anew; Cancel after changes on three pages leaves file, board and hot key as
// they were; OK after choosing only the other hand moves and turns the board.
TEST_F(KeyboardWnd, PreferenceSheetOkStoresAndReReadsCancelKeepsAndTheOtherHandTurnsTheBoard)
{
    m_environment.WriteProgramFile(QStringLiteral("KeyMaps/Mine.kmap"), MapBytes(u'm'));
    m_environment.WriteProgramFile(QStringLiteral("Skins/Broken.kbskn"), "not a skin");
    std::tie(m_wnd->GetSettings().m_strKeyMap, m_wnd->GetSettings().m_strSkin) = std::pair(u"Mine.kmap", u"Broken.kbskn");
    ASSERT_FALSE(QFile::exists(m_environment.PreferencesFile()));
    QPainter(&const_cast<QImage &>(m_wnd->ScreenImage())).fillRect(0, 0, 240, 320, Qt::red);
    RunSheet([](CPropertySheet &sheet) { ::Tap(sheet.OkButton()); });
    EXPECT_EQ(m_wnd->CurrentPlane()[kCellQ], u'm');
    EXPECT_EQ(m_environment.m_prompt.m_texts,
              QStringList{"The selected file - 'Broken.kbskn' is not a valid skin file.  Using the default skin."});
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp());
    const QByteArray stored = FileBytes(m_environment.PreferencesFile());
    const QList<QByteArray> lines = stored.split('\n');
    EXPECT_EQ(lines.first(), QByteArray("[Quorlex]"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const QByteArray &line) { return line.contains('='); }), 17);
    Settings reread;
    LoadSettings(reread, IniProfile(IniProfile::PreferencesPath()));
    EXPECT_TRUE(reread.m_strKeyMap == u"Mine.kmap" && reread.m_strSkin == u"Broken.kbskn");

    const QImage board = m_wnd->ScreenImage().copy();
    const size_t hotKeyCalls = m_environment.m_hotKeys.m_calls.size();
    const QByteArray shellKeys = FileBytes(IniProfile::ShellKeysPath());
    RunSheet([](CPropertySheet &sheet) {
        TapItem(sheet.GetPage(0), CLookFeelPage::kTroughId);
        ShowPage(sheet, 1);
        TapItem(sheet.GetPage(1), CActionPage::kLeftHandedId);
        ShowPage(sheet, 2);
        TapItem(sheet.GetPage(2), CKeyPrefsPage::kAssignCheckId);
        TapItem(sheet.GetPage(2), IDCANCEL);
    });
    EXPECT_EQ(FileBytes(m_environment.PreferencesFile()), stored);
    const Settings &settings = m_wnd->GetSettings();
    EXPECT_TRUE(settings.m_nKeyLayout == KL_FLAT && settings.m_bRightHanded && settings.m_bAssignHotkey);
    EXPECT_TRUE(m_wnd->KeyFont().Escapement() == 900 && m_wnd->ScreenImage() == board);
    EXPECT_EQ(m_environment.m_hotKeys.m_calls.size(), hotKeyCalls);
    EXPECT_EQ(FileBytes(IniProfile::ShellKeysPath()), shellKeys);

    EXPECT_EQ(m_wnd->Pad().geometry(), QRect(2, 50, 26, 236));
    EXPECT_EQ(m_wnd->Pad().LineList().geometry(), QRect(28, 0, 212, 320));
    const QRect menu = m_wnd->SideMenu().geometry();
    RunSheet([](CPropertySheet &sheet) {
        ShowPage(sheet, 1);
        TapItem(sheet.GetPage(1), CActionPage::kLeftHandedId);
        ::Tap(sheet.OkButton());
    });
    EXPECT_EQ(settings.m_bRightHanded, 0);
    EXPECT_TRUE(m_wnd->KeyFont().Escapement() == 2700 && m_wnd->MarkFont().Escapement() == 2700);
    EXPECT_EQ(m_wnd->Pad().geometry(), QRect(211, 33, 26, 236));
    EXPECT_EQ(m_wnd->Pad().LineList().geometry(), QRect(0, 0, 211, 320));
    EXPECT_FALSE(m_wnd->Pad().m_text.m_bRightHanded);
    EXPECT_NE(m_wnd->SideMenu().geometry(), menu);
    EXPECT_NE(m_wnd->ScreenImage(), board);
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp()) << "the board is composed anew";
}

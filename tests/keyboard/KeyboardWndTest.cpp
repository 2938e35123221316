#include "keyboard/ImageDecoder.h"
#include "keyboard/KeyboardHost.h"
#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "prefs/ActionPage.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "platform/IniProfile.h"
#include "support/DialogDriver.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {
QRect KeyRect(const CKeyboardWnd &wnd, int slot)
{
    const Rect r = wnd.GetKeyRect(KeyCodeOfIndex(slot), slot);
    return QRect(r.left, r.top, r.Width(), r.Height());
}

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
    void Make(int layout = KL_FLAT, bool rightHanded = true, int fontSize = 12)
    {
        m_wnd = std::make_unique<CKeyboardWnd>();
        Settings &settings = m_wnd->GetSettings();
        std::tie(settings.m_nKeyLayout, settings.m_bRightHanded, settings.m_bAssignHotkey, settings.m_nHotkeyNum,
                 settings.m_nFontSize) = std::tuple(layout, rightHanded, 1, 2, fontSize);
        m_wnd->CreateKeyFonts();
        m_wnd->m_pView = &m_host;
        m_wnd->m_rcFrameSaved = QRect(0, 0, 240, 320);
        m_host.m_frame.show();
        ASSERT_TRUE(m_wnd->Create(nullptr));
        m_wnd->show();
        Post();
    }
    QRect KeyRect(int slot) const { return ::KeyRect(*m_wnd, slot); }
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

// Taps turn with the board: the line list key answers only in its band, in
// either hand. (A tap on the list itself is the list's own: its tests.)
TEST_F(KeyboardWnd, LineListKeyAnswersOnlyInItsBandInEitherHand)
{
    for (const bool rightHanded : {true, false}) {
        Make(KL_TROUGH, rightHanded);
        const auto tap = [&](int x, int y) {
            QTest::mouseClick(m_wnd.get(), Qt::LeftButton, {}, rightHanded ? QPoint(x, y) : QPoint(239 - x, 319 - y));
            return m_wnd->Pad().m_text.m_bListShown && m_wnd->Pad().LineList().isVisible();
        };
        EXPECT_FALSE(tap(15, 49) || tap(15, 32) || tap(0, 100) || tap(29, 286));
        EXPECT_TRUE(tap(15, 40));
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
        Make(KL_FLAT, true, stored);
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

// (A board that cannot make its images closes the program: the program's exit tests.)
TEST_F(KeyboardWnd, ImageFailuresAreReportedAndReleaseGoesOn)
{
    {
        QPainter skin(&const_cast<QImage &>(m_wnd->SkinBitmap(SI_BACKGROUND_UP)));
        QPainter screen(&const_cast<QImage &>(m_wnd->ScreenImage()));
        m_wnd->ReleaseGdiResources();
    }
    EXPECT_TRUE(m_wnd->ComposedUp().isNull() && m_wnd->SkinBitmap(SI_BUTTON_UP).isNull());
    EXPECT_FALSE(m_wnd->ScreenImage().isNull() || m_wnd->SkinBitmap(SI_BACKGROUND_UP).isNull());
    EXPECT_EQ(m_environment.m_prompt.m_texts,
              (QStringList{"DeleteObject m_hBmpUp failed", "DeleteObject m_hBmpMem failed"}));
}

// OK without changes stores the values and reads key map and skin anew; Cancel after changes on three
// pages leaves settings, file and hot key as they were; OK after choosing only the other hand moves and
// turns the board.
TEST_F(KeyboardWnd, PreferenceSheetOkStoresAndReReadsCancelKeepsAndTheOtherHandTurnsTheBoard)
{
    m_environment.WriteProgramFile(QStringLiteral("KeyMaps/Mine.kmap"), MapBytes(u'm'));
    m_environment.WriteProgramFile(QStringLiteral("Skins/Broken.kbskn"), "not a skin");
    std::tie(m_wnd->GetSettings().m_strKeyMap, m_wnd->GetSettings().m_strSkin) = std::pair(u"Mine.kmap", u"Broken.kbskn");
    QPainter(&const_cast<QImage &>(m_wnd->ScreenImage())).fillRect(0, 0, 240, 320, Qt::red);
    RunSheet([](CPropertySheet &sheet) { ::Tap(sheet.OkButton()); });
    EXPECT_EQ(m_wnd->CurrentPlane()[kCellQ], u'm');
    EXPECT_EQ(m_environment.m_prompt.m_texts,
              QStringList{"The selected file - 'Broken.kbskn' is not a valid skin file.  Using the default skin."});
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp());
    // All seventeen values written in order: the settings test, through the file: the profile test.
    const QByteArray stored = FileBytes(m_environment.PreferencesFile());
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
    EXPECT_TRUE(!settings.m_bRightHanded && m_wnd->KeyFont().Escapement() == 2700 && m_wnd->MarkFont().Escapement() == 2700);
    EXPECT_EQ(m_wnd->Pad().geometry(), QRect(211, 33, 26, 236));
    EXPECT_EQ(m_wnd->Pad().LineList().geometry(), QRect(0, 0, 211, 320));
    EXPECT_FALSE(m_wnd->Pad().m_text.m_bRightHanded);
    EXPECT_NE(m_wnd->SideMenu().geometry(), menu);
    EXPECT_NE(m_wnd->ScreenImage(), board);
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp()) << "the board is composed anew";
}

namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
const QString kInvalid = QStringLiteral("The selected file - '%1' is not a valid skin file.  Using the default skin.");
const QString kMissing = QStringLiteral("The skin file - '%1' could not be loaded.  Using the default skin.");

std::unique_ptr<CKeyboardWnd> MakeBoard(int layout, bool rightHanded, const std::u16string &skin = u"Default Skin")
{
    auto wnd = std::make_unique<CKeyboardWnd>();
    std::tie(wnd->GetSettings().m_nKeyLayout, wnd->GetSettings().m_bRightHanded, wnd->GetSettings().m_strSkin) =
        std::tuple(layout, rightHanded, skin);
    wnd->CreateKeyFonts();
    EXPECT_TRUE(wnd->CreateBoardImages() && wnd->RebuildBoard());
    return wnd;
}

// The bounding box of the pixels in the area where a has the colour, or
// (with no colour) where a and b differ.
QRect Ink(const QImage &a, const QRect &area, std::optional<QRgb> color, const QImage &b = QImage())
{
    QRect box;
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), a.height() - 1); ++y)
        for (int x = std::max(area.left(), 0); x <= std::min(area.right(), a.width() - 1); ++x)
            if (color ? a.pixel(x, y) == *color : a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Every pixel different, so that any turn or shift shows.
QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
    return image;
}

class Board : public testing::Test
{
protected:
    void WriteSkin(const QString &name, const QByteArray &bytes)
    {
        m_environment.WriteProgramFile(QStringLiteral("Skins/") + name, bytes);
    }
    // All six images, sizes and colours as drawing the default skin gives them.
    void ExpectDefaultSkin(CKeyboardWnd &wnd)
    {
        CKeyboardWnd reference;
        reference.GetSettings().m_bRightHanded = wnd.GetSettings().m_bRightHanded;
        ASSERT_TRUE(reference.DrawDefaultSkin());
        for (int i = 0; i < kSkinImageCount; ++i)
            EXPECT_EQ(wnd.SkinBitmap(SkinImage(i)), reference.SkinBitmap(SkinImage(i))) << "image " << i;
        EXPECT_EQ(std::pair(wnd.ButtonSize(), wnd.EnterSize()), std::pair(QSize(38, 28), QSize(74, 28)));
        EXPECT_EQ(wnd.GetSkinColors(), SkinColors());
        EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
    }

    TestEnvironment m_environment;
    QStringList &m_texts = m_environment.m_prompt.m_texts;
};
}

TEST_F(Board, CompleteSkinGivesItsColoursImagesAndSizes)
{
    WriteSkin("Good.kbskn", CompleteSkin().Bytes() + "bytes after the last image");
    CKeyboardWnd wnd;
    ASSERT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    EXPECT_TRUE(m_texts.isEmpty() && m_environment.m_waitCursor.Depth() == 0);
    // The seven colours in file order, and the four the pad takes.
    const SkinColors &c = wnd.GetSkinColors();
    EXPECT_EQ(std::tuple(c.m_crLabelUp, c.m_crLabelDown, c.m_crText, c.m_crSelText, c.m_crBack, c.m_crSelBack, c.m_crMark),
              std::tuple(0x0000FFu, 0x00FF00u, 0x111111u, 0x222222u, 0x333333u, 0x444444u, 0x00FFFFu));
    const CTypePadWnd &pad = wnd.Pad();
    EXPECT_EQ(std::tuple(pad.m_crText, pad.m_crSelText, pad.m_crBack, pad.m_crSelBack),
              std::tuple(0x111111u, 0x222222u, 0x333333u, 0x444444u));
    EXPECT_EQ(std::pair(wnd.ButtonSize(), wnd.EnterSize()), std::pair(QSize(30, 20), QSize(60, 20)));
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 10), qRgb(200, 200, 10));
    EXPECT_EQ(wnd.SkinBitmap(SI_BACKGROUND_DOWN).pixel(0, 319), qRgb(90, 40, 40));
    EXPECT_FALSE(QFile::exists(m_environment.ProgramFolder() + "/Skins/tempFile"));
}

// Opening a pipe for reading or writing waits for the other end for ever.
// (Colours cut short, empty images, files that are no image and 0 x 0
// images are refused by the keyboard in the skin tool's check test; files
// cut short, lengths past the end and short backgrounds by the skin seeds.)
TEST_F(Board, EveryBadMissingOrUnreachableSkinGivesTheDefaultSkinAndOneMessage)
{
    const SkinParts good = CompleteSkin();
    const QByteArray whole = good.Bytes();
    const auto bad = [this](const QByteArray &bytes) { return [this, bytes] { WriteSkin("Bad.kbskn", bytes); }; };
    const auto with = [&](int index, const QByteArray &image) {
        SkinParts parts = good;
        parts.images[index] = image;
        return bad(parts.Bytes());
    };
    const QByteArray png = ImageFileBytes(SolidImage(30, 20, 0), "PNG");
    const QString skins = m_environment.ProgramFolder() + "/Skins/";
    const auto pipe = [](const QString &path) { ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0); };
    // Name, what stands in the folder, the message (none: the skin loads).
    const std::tuple<const char16_t *, std::function<void()>, QString> cases[] = {
        {u"Bad.kbskn", with(0, png.left(png.size() / 2)), kInvalid},
        {u"Bad.kbskn", with(0, ImageFileBytes(SolidImage(10001, 1, 0), "PNG")), kInvalid},
        {u"Bad.kbskn", with(3, ImageFileBytes(SolidImage(1, 10001, 0), "PNG")), kInvalid},
        {u"Bad.kbskn", with(5, ImageFileBytes(SolidImage(320, 240, 0), "BMP")), kInvalid},
        {u"Bad.kbskn", with(0, ImageFileBytes(SolidImage(30, 20, 0), "PPM")), kInvalid},
        {u"Default Skin", [&] { WriteSkin("Default Skin", whole); }, QString()}, {u"Gone.kbskn", [] {}, kMissing},
        {u"../Outside.kbskn", [&] { m_environment.WriteProgramFile("Outside.kbskn", whole); }, kMissing},
        {u"Pipe.kbskn", [&] { pipe(skins + "Pipe.kbskn"); }, kMissing},
        {u"Folder.kbskn", [&] { QDir().mkpath(skins + "Folder.kbskn"); }, kMissing}};
    WriteSkin("Good.kbskn", whole);
    for (int row = 0; row < int(std::size(cases)); ++row) {
        const auto &[name, make, message] = cases[row];
        SCOPED_TRACE(row);
        m_texts.clear();
        make();
        CKeyboardWnd wnd;
        wnd.GetSettings().m_strSkin = name;
        // A skin in use before must not leave any of its images behind.
        ASSERT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
        EXPECT_TRUE(wnd.LoadSkin(name));
        EXPECT_EQ(m_texts, message.isEmpty() ? QStringList() : QStringList{message.arg(QString::fromStdU16String(name))});
        EXPECT_EQ(wnd.GetSettings().m_strSkin, name);
        ExpectDefaultSkin(wnd);
    }
    EXPECT_EQ(m_environment.m_prompt.m_titles, QStringList(9, QString()));
    // No scratch file can be made where a folder of its name stands; a pipe
    // there is replaced.
    CKeyboardWnd wnd;
    QDir().mkpath(skins + "tempFile");
    EXPECT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    ExpectDefaultSkin(wnd);
    EXPECT_EQ(m_texts.last(), kInvalid.arg("Good.kbskn"));
    QDir(skins + "tempFile").removeRecursively();
    pipe(skins + "tempFile");
    EXPECT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    EXPECT_EQ(wnd.ButtonSize(), QSize(30, 20));
    EXPECT_FALSE(QFile::exists(skins + "tempFile"));
}

TEST_F(Board, LeftHandedImagesAreTurnedHalfWayWithTheSameSizes)
{
    SkinParts parts;
    for (const QSize size : {QSize(30, 20), QSize(31, 21), QSize(61, 19), QSize(60, 20), QSize(240, 320), QSize(240, 320)})
        parts.images.append(ImageFileBytes(Gradient(size.width(), size.height()), parts.images.size() % 2 ? "BMP" : "PNG"));
    WriteSkin("Turn.kbskn", parts.Bytes());
    for (const std::u16string name : {u"Turn.kbskn", u"Default Skin"}) {
        CKeyboardWnd right;
        CKeyboardWnd left;
        left.GetSettings().m_bRightHanded = 0;
        ASSERT_TRUE(right.LoadSkin(name) && left.LoadSkin(name));
        EXPECT_EQ(std::pair(left.ButtonSize(), left.EnterSize()), std::pair(right.ButtonSize(), right.EnterSize()));
        for (int i = 0; i < kSkinImageCount; ++i)
            EXPECT_EQ(left.SkinBitmap(SkinImage(i)), right.SkinBitmap(SkinImage(i)).transformed(QTransform().rotate(180)));
    }
    EXPECT_TRUE(m_texts.isEmpty());
}

// The four formats decode: PNG and BMP colours are read back in the board
// tests here, GIF and JPEG load in the skin tool's check test.
TEST_F(Board, DecoderWithoutItsLibraryOrFunctionsSaysWhyAndReadsNothing)
{
    const QString path = m_environment.WriteProgramFile("tempFile", ImageFileBytes(Gradient(4, 3), "PNG"));
    QImage untouched;
    for (const QList<QByteArray> &formats : {QList<QByteArray>{}, QList<QByteArray>{"xpm", "ppm"}})
        EXPECT_FALSE(CImageDecoder(formats).DecodeImageFile(path, untouched));
    EXPECT_TRUE(untouched.isNull());
    EXPECT_EQ(m_texts, (QStringList{"Could not load image library", "Could not load image function",
                                    "Could not load image function"}));
    EXPECT_EQ(m_environment.m_prompt.m_titles, QStringList(3, "Error"));
}

TEST_F(Board, DefaultSkinEllipsesRingsAndSymbols)
{
    CKeyboardWnd wnd;
    ASSERT_TRUE(wnd.DrawDefaultSkin());
    const auto colour = [](char c) { return c == 'B' ? kBlack : kWhite; };
    // Image, point, colour released and pressed ('-': either): Delete's ellipse
    // within x 0..29, y 288..319 (pressed, the inner one three pixels in), the
    // line-list box, both arrows, the menu icon; faces' corners and rings, Enter's symbol.
    for (const auto &[image, x, y, released, pressed] :
         {std::tuple(SI_BACKGROUND_UP, 0, 303, 'B', 'B'), {SI_BACKGROUND_UP, 1, 303, 'W', 'W'},
          {SI_BACKGROUND_UP, 28, 303, 'W', 'W'}, {SI_BACKGROUND_UP, 29, 303, 'B', 'B'}, {SI_BACKGROUND_UP, 15, 288, 'B', 'B'},
          {SI_BACKGROUND_UP, 15, 289, 'W', 'W'}, {SI_BACKGROUND_UP, 225, 129, 'W', 'W'}, {SI_BACKGROUND_UP, 3, 303, 'W', 'B'},
          {SI_BACKGROUND_UP, 2, 303, '-', 'W'}, {SI_BACKGROUND_UP, 225, 131, '-', 'B'}, {SI_BACKGROUND_UP, 2, 34, 'W', 'B'},
          {SI_BACKGROUND_UP, 0, 32, '-', 'W'}, {SI_BACKGROUND_UP, 10, 40, 'B', 'W'}, {SI_BACKGROUND_UP, 225, 115, 'B', 'W'},
          {SI_BACKGROUND_UP, 225, 205, 'B', 'W'}, {SI_BACKGROUND_UP, 218, 303, 'B', 'W'},
          {SI_BACKGROUND_UP, 225, 303, 'B', 'W'}, {SI_BUTTON_UP, 0, 0, 'B', '-'}, {SI_BUTTON_UP, 19, 14, 'W', 'B'},
          {SI_BUTTON_UP, 19, 1, '-', 'W'}, {SI_ENTER_UP, 30, 12, 'B', 'W'}, {SI_ENTER_UP, 30, 20, '-', 'B'}}) {
        const QRgb up = wnd.SkinBitmap(image).pixel(x, y), down = wnd.SkinBitmap(SkinImage(image + 1)).pixel(x, y);
        EXPECT_TRUE((released == '-' || up == colour(released)) && (pressed == '-' || down == colour(pressed)))
            << image << ": " << x << "," << y;
    }
    // Each label's ink in the label colour inside its ellipse.
    for (const QPoint slot : {QPoint(0, 288), QPoint(0, 0), QPoint(210, 0), QPoint(210, 32), QPoint(210, 64),
                              QPoint(210, 224), QPoint(210, 256)}) {
        EXPECT_TRUE(Ink(wnd.SkinBitmap(SI_BACKGROUND_UP), QRect(slot + QPoint(5, 5), QSize(20, 22)), kBlack).isValid());
        EXPECT_TRUE(Ink(wnd.SkinBitmap(SI_BACKGROUND_DOWN), QRect(slot + QPoint(6, 6), QSize(18, 20)), kWhite).isValid());
    }
}

TEST_F(Board, FacesAreCentredTheirMagentaShowsTheBackgroundAndHugeOnesStayOnTheBoard)
{
    WriteSkin("Faces.kbskn", CompleteSkin().Bytes());
    auto wnd = MakeBoard(KL_FLAT, true, u"Faces.kbskn");
    const QImage &up = wnd->SkinBitmap(SI_BACKGROUND_UP);
    const QRgb back = qRgb(40, 40, 90), face = qRgb(200, 10, 10);
    // Slot 10 (30, 288, 75, 320) takes its 30 x 20 face at (37, 294).
    for (const auto &[x, y, color] :
         {std::tuple(37, 294, back), {40, 294, face}, {63, 313, face}, {64, 313, back}, {66, 311, back}, {67, 300, back},
          {50, 314, back}, {135, 6, back}, {138, 6, qRgb(10, 10, 200)}, {225, 80, back}, {225, 160, back}, {15, 304, back}})
        EXPECT_EQ(up.pixel(x, y), color) << x << "," << y;
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_DOWN).pixel(37, 294), qRgb(90, 40, 40));
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_DOWN).pixel(160, 16), qRgb(200, 200, 10));
    SkinParts parts = CompleteSkin();
    parts.images[0] = ImageFileBytes(SolidImage(10000, 1, qRgb(1, 2, 3)), "PNG");
    parts.images[3] = ImageFileBytes(SolidImage(500, 700, qRgb(4, 5, 6)), "BMP");
    WriteSkin("Huge.kbskn", parts.Bytes());
    wnd = MakeBoard(KL_TROUGH, false, u"Huge.kbskn");
    EXPECT_TRUE(m_texts.isEmpty());
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_UP).pixel(0, KeyRect(*wnd, 11).center().y()), qRgb(1, 2, 3));
}

TEST_F(Board, WatermarkAndLabelsInEveryLayoutAndDirection)
{
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH})
        for (const bool right : {true, false}) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << (right ? " right" : " left"));
            auto wnd = MakeBoard(layout, right);
            const QImage &up = wnd->ComposedUp();
            // The mark reads up from its point (text to the right of it) or
            // down (text to the left), in the released look only; the whole
            // word is on the screen, its ink short of every edge.
            const QRect mark = Ink(up, up.rect(), 0xFF808080);
            const Point at = WatermarkOrigin(layout, right);
            // (The Flat point moves in by the few pixels the word lacks.)
            EXPECT_TRUE(right ? mark.left() >= at.x && mark.right() <= at.x + 12
                                    && mark.bottom() < std::max(at.y, mark.height() + 4)
                              : mark.right() <= at.x && mark.left() >= at.x - 12
                                    && mark.top() >= std::min(at.y, 319 - mark.height() - 4));
            EXPECT_TRUE(mark.height() > 25 && up.rect().adjusted(1, 1, -1, -1).contains(mark))
                << mark.top() << ".." << mark.bottom();
            EXPECT_FALSE(Ink(wnd->ComposedDown(), up.rect(), 0xFF808080).isValid());
            EXPECT_EQ(wnd->ScreenImage(), up);
            // Every label lies in the middle of its key (comma and period sit
            // on their baseline and are left out).
            for (int slot = 10; slot < 50; ++slot) {
                if (!KeyHasLabel(KeyCodeOfIndex(slot)) || KeyCodeOfIndex(slot) >= KC_CHAR_BASE + 36)
                    continue;
                const QRect cell = KeyRect(*wnd, slot);
                const QRect ink = Ink(up, cell, std::nullopt, wnd->SkinBitmap(SI_BACKGROUND_UP));
                EXPECT_TRUE(ink.isValid() && std::abs(ink.center().x() - cell.center().x()) <= 4 &&
                            std::abs(ink.center().y() - cell.center().y()) <= 3)
                    << "slot " << slot;
            }
        }
}

TEST_F(Board, ModifierLabelsComeFromKeptPlanesAndMatchAFreshBoardAfterChanges)
{
    auto wnd = MakeBoard(KL_CREST, true);
    const qint64 normalUp = wnd->ComposedUp().cacheKey();
    for (const bool shift : {true, false, false, true}) {
        wnd->SetModifiers(shift, !shift, false, !shift);
        wnd->ComposeKeyboard();
    }
    // Drawn from scratch, a Normal plane holding the Shift characters gives
    // the same composites as the kept Shift plane.
    auto same = MakeBoard(KL_CREST, true);
    std::copy_n(same->GetKeyMap().Plane(kPlaneShift), kKeyMapCells, same->GetKeyMap().Plane(kPlaneNormal));
    same->SetModifiers(true, false, false, false);
    same->ComposeKeyboard();
    EXPECT_EQ(same->ScreenImage(), wnd->ScreenImage());
    EXPECT_EQ(same->ComposedDown(), wnd->ComposedDown());
    wnd->SetModifiers(false, false, false, false);
    wnd->ComposeKeyboard();
    EXPECT_EQ(wnd->ComposedUp().cacheKey(), normalUp); // kept, not drawn again
    // A key map changed in place, then a new direction, match a fresh board.
    auto changed = MakeBoard(KL_CREST, false);
    for (CKeyboardWnd *board : {wnd.get(), changed.get()}) {
        board->GetKeyMap().Plane(kPlaneShift)[26] = u'#';
        board->SetModifiers(true, false, false, false);
        board->ComposeKeyboard();
    }
    EXPECT_NE(wnd->ScreenImage(), same->ScreenImage());
    wnd->GetSettings().m_bRightHanded = false;
    wnd->CreateKeyFonts();
    ASSERT_TRUE(wnd->RebuildBoard());
    EXPECT_EQ(wnd->ScreenImage(), changed->ScreenImage());
    // What the window paints is the screen image, a pressed key copied in.
    wnd->CopyFromComposite(wnd->GetKeyRect(KeyCodeOfIndex(33), 33), true);
    EXPECT_EQ(wnd->grab().toImage().convertToFormat(QImage::Format_RGB32), wnd->ScreenImage());
}

#include "settings/Settings.h"
#include "dialogs/PropertySheet.h"
#include "platform/HotKeys.h"
#include "platform/IniProfile.h"
#include "prefs/ActionPage.h"
#include "prefs/FontDlg.h"
#include "prefs/HotkeyChoice.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "prefs/ShellButtons.h"
#include "support/DialogDriver.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <climits>

namespace {
const QColor kBlue(0, 0, 255);
const std::u16string kShortcut = kQuorlexShortcutCommand;

std::u16string ShellValue(int button, const std::u16string &name = u"Default")
{
    return IniProfile(IniProfile::ShellKeysPath()).GetString(ShellButtons::KeyName(button), name, u"(none)");
}

void SetShellValue(int button, const std::u16string &name, const std::u16string &value)
{
    IniProfile(IniProfile::ShellKeysPath()).WriteString(ShellButtons::KeyName(button), name, value);
}

// The preference sheet with one page alone, over a test environment of its
// own; Show() opens it on the page's fields as the test has set them.
template <typename Page>
struct OpenPage {
    TestEnvironment environment;
    Page page;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    void Show()
    {
        sheet.AddPage(&page);
        sheet.Create();
    }
    void Confirm() { Tap(sheet.OkButton()); }
    template <typename Control = QWidget>
    Control *Item(int id) const
    {
        return GetDlgItemAs<Control>(&page, id);
    }
};

// The Action page showing the fields.
struct OpenActionPage : OpenPage<CActionPage> {
    OpenActionPage(int onStart, bool copyOnExit, bool openOnStart, int direction)
    {
        std::tie(page.m_nOnStartAction, page.m_bCopyOnExit, page.m_bOpenKBOnStart, page.m_nDirection) =
            std::tuple(onStart, copyOnExit, openOnStart, direction);
        Show();
    }
    bool Checked(int id) const { return IsChecked(&page, id); }
    // The device picture beside the direction group, from its right edge and
    // its top (0), bottom (1) or middle (2).
    QColor Device(int dx, int dy, int from = 0) const
    {
        const QRect group = Item(CActionPage::kDirectionGroupId)->geometry();
        const int y = group.y() + (from == 1 ? group.height() : from == 2 ? group.height() / 2 : 0) + dy;
        return Snapshot(const_cast<CActionPage *>(&page)).pixelColor(group.x() + group.width() + dx, y);
    }
};

// The Keys page showing the fields, over shell buttons that start the inbox,
// this program, a program whose name has dots, and one whose command is longer
// than the shell's 256-byte buffer (unreadable, so shown empty).
struct OpenKeysPage : OpenPage<CKeyPrefsPage> {
    OpenKeysPage(bool repeat, int interval, bool assign, int number)
    {
        for (const auto &[button, command] :
             {std::pair<int, std::u16string>{1, u"inbox"}, {2, kShortcut},
              {3, u"\\Windows\\Program Files\\my.notes.v2.exe"}, {4, std::u16string(128, u'x')}})
            SetShellValue(button, u"Default", command);
        std::tie(page.m_bRepeatKey, page.m_nRepeatInterval, page.m_bAssignHotkey, page.m_nHotkeyNum) =
            std::tuple(repeat, interval, assign, number);
        Show();
    }
    QSlider *Slider() const { return Item<QSlider>(CKeyPrefsPage::kSliderId); }
    QComboBox *List() const { return Item<QComboBox>(CKeyPrefsPage::kHotkeyListId); }
    QString CurrentApp() const { return Item<QLabel>(CKeyPrefsPage::kCurrentAppId)->text(); }
};

// The Look and Feel page; Show() opens it on settings that name the key map
// and skin in use, once the test has written its files.
struct OpenLookFeel : OpenPage<CLookFeelPage> {
    Settings settings;

    void Show(const std::u16string &keyMap, const std::u16string &skin)
    {
        std::tie(settings.m_strProgramFolder, settings.m_strKeyMap, settings.m_strSkin) =
            std::tuple(environment.ProgramFolder().toStdU16String(), keyMap, skin);
        page.m_pSettings = &settings;
        OpenPage::Show();
    }
    QStringList Entries(int id) const { return ComboEntries(Item<QComboBox>(id)); }
    QString KeyMap() const { return Item<QComboBox>(CLookFeelPage::kKeyMapListId)->currentText(); }
    bool EditEnabled() const { return Item(CLookFeelPage::kEditKeyMapId)->isEnabled(); }
};
}

TEST(ActionPage, ShowsTheFieldsAndReadsTheUsersChoicesBack)
{
    OpenActionPage open(1, true, false, 0);
    EXPECT_TRUE(open.Checked(CActionPage::kLoadLastId) && !open.Checked(CActionPage::kClearId) &&
                open.Checked(CActionPage::kCopyOnExitId) && !open.Checked(CActionPage::kOpenOnStartId) &&
                open.Checked(CActionPage::kLeftHandedId));
    for (const int id : {CActionPage::kPasteId, CActionPage::kCopyOnExitId, CActionPage::kOpenOnStartId,
                         CActionPage::kRightHandedId})
        TapItem(&open.page, id);
    EXPECT_FALSE(open.Checked(CActionPage::kLoadLastId) || open.Checked(CActionPage::kLeftHandedId));
    open.Confirm();
    EXPECT_EQ(std::tuple(open.page.m_nOnStartAction, open.page.m_bCopyOnExit, open.page.m_bOpenKBOnStart,
                         open.page.m_nDirection),
              std::tuple(2, false, true, 1));
    // An on-start action outside the group checks nothing and confirms as -1.
    OpenActionPage odd(7, false, false, 1);
    EXPECT_FALSE(odd.Checked(CActionPage::kClearId) || odd.Checked(CActionPage::kLoadLastId) ||
                 odd.Checked(CActionPage::kPasteId));
    odd.Confirm();
    EXPECT_EQ(std::pair(odd.page.m_nOnStartAction, odd.page.m_nDirection), std::pair(-1, 1));
}

// Left-handed, the device is black from (R + 25, T + 5) to (R + 65, B), its
// stripe white from (R + 57, T + 13) to (R + 63, B - 8); right-handed the
// stripe lies 30 pixels further in. It follows the buttons at once.
TEST(ActionPage, DrawsTheDeviceWithTheWhiteStripeOfTheChosenDirection)
{
    OpenActionPage open(0, false, false, 0);
    const QColor black(Qt::black), white(Qt::white);
    for (const auto &[dx, dy, from, colour] : {std::tuple(25, 5, 0, black), {64, -1, 1, black}, {63, 20, 0, black},
                                               {60, -8, 1, black}, {57, 13, 0, white}, {62, -9, 1, white}})
        EXPECT_EQ(open.Device(dx, dy, from), colour) << dx << "," << dy;
    for (const auto &[dx, dy, from] : {std::tuple(24, 20, 0), {65, 20, 0}, {40, 4, 0}, {40, 0, 1}})
        EXPECT_NE(open.Device(dx, dy, from), black) << dx << "," << dy;
    for (const bool right : {true, false}) {
        TapItem(&open.page, right ? CActionPage::kRightHandedId : CActionPage::kLeftHandedId);
        EXPECT_TRUE((open.Device(29, 0, 2) == white) == right && (open.Device(59, 0, 2) == white) != right);
    }
    EXPECT_EQ(open.page.m_nDirection, 0) << "the field changes only with OK";
    for (const auto &[id, blue] : {std::pair(CActionPage::kOnStartGroupId, true), {CActionPage::kDirectionGroupId, true},
                                   {CActionPage::kClearId, false}})
        EXPECT_EQ(TextColour(&open.page, id) == kBlue, blue) << id;
}

TEST(KeyPrefsPage, TheSliderShowsThousandMinusTheIntervalClampedAndItsEndsGiveThousandAndTen)
{
    for (const auto &[interval, position, key, stored] :
         {std::tuple(200, 800, Qt::Key_Home, 1000), {200, 800, Qt::Key_End, 10}, {200, 800, Qt::Key_unknown, 200},
          {5000, 0, Qt::Key_unknown, 1000}, {-3, 990, Qt::Key_unknown, 10}, {INT_MIN, 990, Qt::Key_unknown, 10},
          {INT_MAX, 0, Qt::Key_unknown, 1000}}) {
        OpenKeysPage open(true, interval, false, 0);
        EXPECT_EQ(open.Slider()->value(), position) << interval;
        if (key != Qt::Key_unknown)
            QTest::keyClick(open.Slider(), key);
        open.Confirm();
        EXPECT_EQ(open.page.m_nRepeatInterval, stored) << interval;
    }
}

TEST(KeyPrefsPage, TheCheckBoxesEnableTheirControlsInsideTheirFrame)
{
    OpenKeysPage open(false, 200, true, 1);
    const auto expectEnabled = [&open](bool repeat, bool hotkey) {
        for (const int id : {CKeyPrefsPage::kSliderId, CKeyPrefsPage::kFasterId, CKeyPrefsPage::kSlowerId,
                             CKeyPrefsPage::kFrequencyId})
            EXPECT_EQ(GetDlgItem(&open.page, id)->isEnabled(), repeat) << id;
        for (const int id : {CKeyPrefsPage::kButtonLabelId, CKeyPrefsPage::kHotkeyListId, CKeyPrefsPage::kCurrentLabelId,
                             CKeyPrefsPage::kCurrentAppId})
            EXPECT_EQ(GetDlgItem(&open.page, id)->isEnabled(), hotkey) << id;
    };
    expectEnabled(false, true);
    TapItem(&open.page, CKeyPrefsPage::kRepeatCheckId);
    TapItem(&open.page, CKeyPrefsPage::kAssignCheckId);
    expectEnabled(true, false);
    // A black frame round the repeat controls; the current assignment red, the slider's ends blue.
    const int top = GetDlgItem(&open.page, CKeyPrefsPage::kRepeatCheckId)->y() - 1;
    const QRect faster = GetDlgItem(&open.page, CKeyPrefsPage::kFasterId)->geometry();
    const int bottom = faster.y() + faster.height() + 3, middle = (top + bottom) / 2;
    const QImage image = Snapshot(&open.page);
    const int w = image.width();
    for (const QPoint line : {QPoint(3, top), QPoint(w - 3, bottom), QPoint(w / 2, top), QPoint(w / 2, bottom),
                              QPoint(3, middle), QPoint(w - 3, middle)})
        EXPECT_EQ(image.pixelColor(line), QColor(Qt::black)) << line.x() << "," << line.y();
    EXPECT_NE(image.pixelColor(2, middle), QColor(Qt::black));
    EXPECT_EQ(TextColour(&open.page, CKeyPrefsPage::kCurrentAppId), QColor(255, 0, 0));
    EXPECT_TRUE(TextColour(&open.page, CKeyPrefsPage::kFasterId) == kBlue &&
                TextColour(&open.page, CKeyPrefsPage::kFrequencyId) != kBlue);
    open.Confirm();
    EXPECT_TRUE(open.page.m_bRepeatKey && !open.page.m_bAssignHotkey);
}

// The list shows what the chosen button starts now, the name between the last
// backslash and the last dot; a number that is no entry selects nothing, and
// an unchecked box stores button 0.
TEST(KeyPrefsPage, TheHotKeyListShowsWhatEachButtonStarts)
{
    OpenKeysPage open(true, 200, true, 2);
    EXPECT_TRUE(open.List()->currentText() == QStringLiteral("Hot key 2") && open.CurrentApp() == QStringLiteral("Quorlex"));
    open.List()->setFocus();
    for (const QString &app : {QStringLiteral("my.notes.v2"), QString()}) {
        QTest::keyClick(open.List(), Qt::Key_Down);
        EXPECT_EQ(open.CurrentApp(), app);
    }
    open.Confirm();
    EXPECT_EQ(open.page.m_nHotkeyNum, 4);
    for (const auto &[number, entry, app, check] : {std::tuple{-1, -1, "Current App", false}, {7, -1, "Current App", false},
                                                    {0, 0, "inbox", false}, {4, 3, "", false}, {-1, -1, "Current App", true}}) {
        OpenKeysPage unassigned(true, 200, false, number);
        EXPECT_EQ(unassigned.List()->currentIndex(), entry) << number;
        EXPECT_EQ(unassigned.CurrentApp(), QString::fromLatin1(app)) << number;
        if (check)
            TapItem(&unassigned.page, CKeyPrefsPage::kAssignCheckId);
        unassigned.Confirm();
        EXPECT_TRUE(unassigned.page.m_nHotkeyNum == 0 && unassigned.page.m_bAssignHotkey == check) << number;
    }
}

TEST(LookFeelPage, ListsDefaultsThenFilesAndSelectsTheCurrentNamesByPrefixOrTheDefaults)
{
    for (const bool files : {true, false}) {
        OpenLookFeel open;
        if (files) {
            open.environment.WriteProgramFile(QStringLiteral("Skins/Ocean.kbskn"), "x");
            open.environment.WriteProgramFile(QStringLiteral("Skins/notes.txt"), "x");
            open.environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(u'q'));
        }
        open.Show(u"german", u"OCEAN.kbskn");
        const QStringList skins = QStringList{"Default Skin", "Ocean.kbskn"}.mid(0, files ? 2 : 1);
        const QStringList keyMaps = QStringList{"Default Key Map", "German.kmap"}.mid(0, files ? 2 : 1);
        EXPECT_EQ(open.Entries(CLookFeelPage::kSkinListId), skins);
        EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), keyMaps);
        QWidget *list = open.Item(CLookFeelPage::kKeyMapListId);
        EXPECT_EQ(open.EditEnabled(), files);
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(list, key);
            EXPECT_EQ(open.EditEnabled(), files && key == Qt::Key_Down) << files << key;
        }
        open.Confirm();
        EXPECT_EQ(open.page.m_strKeyMap, keyMaps.last());
        EXPECT_EQ(open.page.m_strSkin, skins.last());
        EXPECT_TRUE(open.environment.m_prompt.m_texts.isEmpty());
    }
}

// Whichever of two names differing in case the directory lists first, OK
// keeps the one the settings hold.
TEST(LookFeelPage, AnExactNameWinsOverOneDifferingInCase)
{
    for (const std::u16string name : {u"German", u"german"}) {
        OpenLookFeel open;
        for (const QString file : {"German", "german"}) {
            open.environment.WriteProgramFile("KeyMaps/" + file + ".kmap", MapBytes(u'q'));
            open.environment.WriteProgramFile("Skins/" + file + ".kbskn", "x");
        }
        open.Show(name + u".kmap", name + u".kbskn");
        open.Confirm();
        EXPECT_EQ(open.page.m_strKeyMap.toStdU16String(), name + u".kmap");
        EXPECT_EQ(open.page.m_strSkin.toStdU16String(), name + u".kbskn");
    }
}

TEST(LookFeelPage, NewKeyMapsStartFromTheSelectedMapAndEditRewritesTheSelectedFileUnlessCancelled)
{
    OpenLookFeel open;
    open.environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(u'g'));
    open.Show(u"German.kmap", u"Default Skin");
    const QString folder = open.environment.ProgramFolder() + "/KeyMaps/";
    const QStringList entries{"Default Key Map", "German.kmap", "Swiss.kmap"};
    // The second map, made again under an existing name, starts from the
    // first one; the existing entry is then selected, not added twice.
    const std::tuple<QString, char16_t, char16_t> rounds[] = {{"Swiss", u'g', u's'}, {"German", u's', u't'}};
    for (const auto &[name, from, q] : rounds) {
        char16_t startedWith = 0;
        WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { startedWith = EditQAndConfirm(editor, q, name); });
        TapItem(&open.page, CLookFeelPage::kNewKeyMapId);
        EXPECT_EQ(startedWith, from);
        EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), entries);
        EXPECT_EQ(open.KeyMap(), name + ".kmap");
        EXPECT_EQ(FileBytes(folder + name + ".kmap"), MapBytes(q));
    }
    EXPECT_TRUE(open.environment.m_prompt.m_texts.value(0).contains("support@vorlane.example")) << "the notice";
    WhenModal<CKeyMapDlg>([](CKeyMapDlg &editor) {
        EXPECT_EQ(editor.m_strName, QStringLiteral("German.kmap"));
        EXPECT_FALSE(GetDlgItem(&editor, CKeyMapDlg::kNameId)->isEnabled()) << "an edited map keeps its name";
        editor.m_pKeyMap->m_chCells[kPlaneNormal][kCellQ] = u'x';
        TapItem(&editor, IDCANCEL);
    });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    EXPECT_EQ(FileBytes(folder + "German.kmap"), MapBytes(u't'));
    char16_t startedWith = 0;
    WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { startedWith = EditQAndConfirm(editor, u'\u00e7'); });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    EXPECT_EQ(startedWith, u't');
    EXPECT_EQ(FileBytes(folder + "German.kmap"), MapBytes(u'\u00e7'));
}

TEST(LookFeelPage, AFontAbove15PointsIsTakenAfterAWarning)
{
    for (const int size : {15, 16}) {
        OpenLookFeel open;
        std::tie(open.page.m_nFontSize, open.page.m_bFontStrike) = std::tuple(12, 1);
        open.Show(u"Default Key Map", u"Default Skin");
        WhenModal<CFontDlg>([size](CFontDlg &dialog) {
            EXPECT_EQ(dialog.m_nSize, 12);
            TypeText(GetDlgItemAs<QComboBox>(&dialog, CFontDlg::kSizeListId)->lineEdit(), QString::number(size));
            TapItem(&dialog, CFontDlg::kBoldId);
            TapItem(&dialog, IDOK);
        });
        TapItem(&open.page, CLookFeelPage::kChangeFontId);
        EXPECT_EQ(std::tuple(open.page.m_nFontSize, open.page.m_bFontBold, open.page.m_bFontStrike),
                  std::tuple(size, 1, 1));
        EXPECT_EQ(open.environment.m_prompt.m_texts.size(), size > 15 ? 1 : 0);
    }
}

// Turning the assignment off restores the old button's ResetCmd (when it has
// one) and unregisters; a new button is given the shortcut and its key
// registered; with no button chosen key 40C0 is used.
TEST(HotkeyChoice, TheOldButtonIsRestoredTheNewOneAssignedAndItsKeyRegistered)
{
    const std::u16string contacts = u"\\Windows\\contacts.exe";
    const std::tuple<bool, int, int, int, std::vector<std::pair<int, std::u16string>>, unsigned> cases[] = {
        {true, 2, 0, 0, {{2, contacts}}, 0}, {true, 2, 1, 3, {{2, contacts}, {3, kShortcut}}, 0xC3},
        {true, 1, 1, 1, {{1, kShortcut}}, 0xC1}, {true, 4, 0, 0, {{4, kShortcut}}, 0},
        {false, -1, 1, 0, {{0, kShortcut}}, 0xC0}};
    for (const auto &[assignBefore, before, assign, number, after, key] : cases) {
        SCOPED_TRACE(testing::Message() << before << " to " << number);
        TestEnvironment environment;
        QWidget frame;
        if (assignBefore)
            environment.m_hotKeys.Register(&frame, HOTKEY_ID_KEYBOARD, MOD_WIN, 0xC0 + before);
        // Button 1 starts another program now, 4 has no ResetCmd.
        for (const auto &[button, name, value] :
             {std::tuple<int, std::u16string, std::u16string>{1, u"Default", u"other.exe"}, {1, u"ResetCmd", u"inbox.exe"},
              {2, u"Default", kShortcut}, {2, u"ResetCmd", contacts}, {3, u"Default", u"tasks.exe"}, {4, u"Default", kShortcut}})
            SetShellValue(button, name, value);
        Settings settings;
        std::tie(settings.m_bAssignHotkey, settings.m_nHotkeyNum) = std::tuple(assignBefore, before);
        ApplyHotkeyChoice(settings, assign, number, &frame);
        for (const auto &[button, value] : after)
            EXPECT_EQ(ShellValue(button), value) << button;
        EXPECT_TRUE(settings.m_bAssignHotkey == assign && settings.m_nHotkeyNum == number);
        EXPECT_EQ(environment.m_hotKeys.RegisteredKey(HOTKEY_ID_KEYBOARD), key);
        EXPECT_EQ(environment.m_hotKeys.m_registered.size(), key ? 1u : 0u);
        for (const FakeHotKeys::Call &call : environment.m_hotKeys.m_calls)
            EXPECT_TRUE(call.window == &frame && call.id == HOTKEY_ID_KEYBOARD && (!call.bRegister || call.modifiers == MOD_WIN));
    }
}

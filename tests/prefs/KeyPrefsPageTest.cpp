#include "platform/IniProfile.h"
#include "prefs/HotkeyChoice.h"
#include "prefs/KeyPrefsPage.h"
#include "dialogs/PropertySheet.h"
#include "prefs/ShellButtons.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <climits>

namespace {
// The sheet with the Keys page alone, opened and showing it, over shell
// buttons 1 to 3 that start the inbox, this program and the calendar.
struct OpenKeysPage {
    TestEnvironment environment;
    CKeyPrefsPage page;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    OpenKeysPage(bool repeat, int interval, bool assign, int number)
    {
        IniProfile store(IniProfile::ShellKeysPath());
        for (const auto &[button, command] : {std::pair<int, std::u16string>{1, u"\\Windows\\inbox.exe"},
                                              {2, kQuorlexShortcutCommand}, {3, u"\\Windows\\calendar.exe"}})
            store.WriteString(ShellButtons::KeyName(button), u"Default", command);
        std::tie(page.m_bRepeatKey, page.m_nRepeatInterval, page.m_bAssignHotkey, page.m_nHotkeyNum) =
            std::tuple(repeat, interval, assign, number);
        sheet.AddPage(&page);
        sheet.Create();
    }
    void Confirm() { Tap(sheet.OkButton()); }
    QSlider *Slider() const { return GetDlgItemAs<QSlider>(&page, CKeyPrefsPage::kSliderId); }
    QComboBox *List() const { return GetDlgItemAs<QComboBox>(&page, CKeyPrefsPage::kHotkeyListId); }
    QString CurrentApp() const { return GetDlgItemAs<QLabel>(&page, CKeyPrefsPage::kCurrentAppId)->text(); }
};
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
    EXPECT_EQ(TextColour(&open.page, CKeyPrefsPage::kFasterId), QColor(0, 0, 255));
    EXPECT_NE(TextColour(&open.page, CKeyPrefsPage::kFrequencyId), QColor(0, 0, 255));
    open.Confirm();
    EXPECT_TRUE(open.page.m_bRepeatKey && !open.page.m_bAssignHotkey);
}

// The list shows what the chosen button starts now; a number that is no entry
// selects nothing, and an unchecked box stores button 0.
TEST(KeyPrefsPage, TheHotKeyListShowsWhatEachButtonStarts)
{
    OpenKeysPage open(true, 200, true, 2);
    EXPECT_TRUE(open.List()->currentText() == QStringLiteral("Hot key 2") && open.CurrentApp() == QStringLiteral("Quorlex"));
    open.List()->setFocus();
    for (const QString &app : {QStringLiteral("calendar"), QString()}) {
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

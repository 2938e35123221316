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
#include <tuple>

namespace {
// The sheet with the Keys page alone, opened and showing it.
struct OpenKeysPage {
    CKeyPrefsPage page;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    OpenKeysPage(bool repeat, int interval, bool assign, int number)
    {
        page.m_bRepeatKey = repeat;
        page.m_nRepeatInterval = interval;
        page.m_bAssignHotkey = assign;
        page.m_nHotkeyNum = number;
        sheet.AddPage(&page);
        sheet.Create();
    }

    void Confirm() { Tap(sheet.OkButton()); }
    QSlider *Slider() const { return GetDlgItemAs<QSlider>(&page, CKeyPrefsPage::kSliderId); }
    QComboBox *List() const { return GetDlgItemAs<QComboBox>(&page, CKeyPrefsPage::kHotkeyListId); }
    QString CurrentApp() const { return GetDlgItemAs<QLabel>(&page, CKeyPrefsPage::kCurrentAppId)->text(); }
    bool Enabled(int id) const { return GetDlgItem(&page, id)->isEnabled(); }
};

void SetShellCommand(int button, const std::u16string &command)
{
    IniProfile store(IniProfile::ShellKeysPath());
    store.WriteString(ShellButtons::KeyName(button), u"Default", command);
}
}

TEST(KeyPrefsPage, TheSliderShowsThousandMinusTheIntervalClampedAndItsEndsGiveThousandAndTen)
{
    TestEnvironment environment;
    struct Case {
        int interval;
        int position;
        Qt::Key key;
        int stored;
    };
    for (const Case c : {Case{200, 800, Qt::Key_Home, 1000}, Case{200, 800, Qt::Key_End, 10},
                         Case{5000, 0, Qt::Key_unknown, 1000}, Case{-3, 990, Qt::Key_unknown, 10},
                         Case{INT_MIN, 990, Qt::Key_unknown, 10}, Case{INT_MAX, 0, Qt::Key_unknown, 1000}}) {
        OpenKeysPage open(true, c.interval, false, 0);
        EXPECT_EQ(open.Slider()->value(), c.position) << c.interval;
        if (c.key != Qt::Key_unknown)
            QTest::keyClick(open.Slider(), c.key);
        open.Confirm();
        EXPECT_EQ(open.page.m_nRepeatInterval, c.stored) << c.interval;
    }
}

TEST(KeyPrefsPage, TheCheckBoxesEnableTheirControls)
{
    TestEnvironment environment;
    OpenKeysPage open(false, 200, true, 1);
    const auto expectEnabled = [&open](bool repeat, bool hotkey) {
        for (const int id : {CKeyPrefsPage::kSliderId, CKeyPrefsPage::kFasterId, CKeyPrefsPage::kSlowerId,
                             CKeyPrefsPage::kFrequencyId})
            EXPECT_EQ(open.Enabled(id), repeat) << id;
        for (const int id : {CKeyPrefsPage::kButtonLabelId, CKeyPrefsPage::kHotkeyListId,
                             CKeyPrefsPage::kCurrentLabelId, CKeyPrefsPage::kCurrentAppId})
            EXPECT_EQ(open.Enabled(id), hotkey) << id;
    };
    expectEnabled(false, true);
    TapItem(&open.page, CKeyPrefsPage::kRepeatCheckId);
    TapItem(&open.page, CKeyPrefsPage::kAssignCheckId);
    expectEnabled(true, false);
    open.Confirm();
    EXPECT_TRUE(open.page.m_bRepeatKey);
    EXPECT_FALSE(open.page.m_bAssignHotkey);
}

TEST(KeyPrefsPage, ShowsWhatTheChosenButtonStartsNow)
{
    TestEnvironment environment;
    SetShellCommand(2, kQuorlexShortcutCommand);
    SetShellCommand(3, u"\\Windows\\calendar.exe");
    OpenKeysPage open(true, 200, true, 2);
    EXPECT_EQ(open.List()->currentText(), QStringLiteral("Hot key 2"));
    EXPECT_EQ(open.CurrentApp(), QStringLiteral("Quorlex"));
    open.List()->setFocus();
    QTest::keyClick(open.List(), Qt::Key_Down);
    EXPECT_EQ(open.CurrentApp(), QStringLiteral("calendar"));
    QTest::keyClick(open.List(), Qt::Key_Down);
    EXPECT_EQ(open.CurrentApp(), QString());
    open.Confirm();
    EXPECT_EQ(open.page.m_nHotkeyNum, 4);
}

TEST(KeyPrefsPage, ANumberThatIsNoEntrySelectsNothingAndAnUncheckedBoxStoresNone)
{
    TestEnvironment environment;
    SetShellCommand(1, u"\\Windows\\inbox.exe");
    for (const auto &[number, entry, app] : {std::tuple{-1, -1, "Current App"}, std::tuple{7, -1, "Current App"},
                                             std::tuple{0, 0, "inbox"}, std::tuple{3, 2, ""}}) {
        OpenKeysPage open(true, 200, false, number);
        EXPECT_EQ(open.List()->currentIndex(), entry) << number;
        EXPECT_EQ(open.CurrentApp(), QString::fromLatin1(app)) << number;
        open.Confirm();
        EXPECT_EQ(open.page.m_nHotkeyNum, 0) << number;
    }
    OpenKeysPage open(true, 200, false, -1);
    TapItem(&open.page, CKeyPrefsPage::kAssignCheckId);
    open.Confirm();
    EXPECT_TRUE(open.page.m_bAssignHotkey);
    EXPECT_EQ(open.page.m_nHotkeyNum, 0);
}

TEST(KeyPrefsPage, FramesTheRepeatControlsAndColoursTheCurrentAssignmentRed)
{
    TestEnvironment environment;
    OpenKeysPage open(true, 200, true, 1);
    const int top = GetDlgItem(&open.page, CKeyPrefsPage::kRepeatCheckId)->y() - 1;
    const QRect faster = GetDlgItem(&open.page, CKeyPrefsPage::kFasterId)->geometry();
    const int bottom = faster.y() + faster.height() + 3;
    const QImage image = Snapshot(&open.page);
    const int w = image.width();
    const int middle = (top + bottom) / 2;
    for (const QPoint line : {QPoint(3, top), QPoint(w - 3, bottom), QPoint(w / 2, top), QPoint(w / 2, bottom),
                              QPoint(3, middle), QPoint(w - 3, middle)})
        EXPECT_EQ(image.pixelColor(line), QColor(Qt::black)) << line.x() << "," << line.y();
    EXPECT_NE(image.pixelColor(2, middle), QColor(Qt::black));
    EXPECT_EQ(TextColour(&open.page, CKeyPrefsPage::kCurrentAppId), QColor(255, 0, 0));
    EXPECT_EQ(TextColour(&open.page, CKeyPrefsPage::kFasterId), QColor(0, 0, 255));
    EXPECT_NE(TextColour(&open.page, CKeyPrefsPage::kFrequencyId), QColor(0, 0, 255));
}

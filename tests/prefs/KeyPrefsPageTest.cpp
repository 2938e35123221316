#include "platform/IniProfile.h"
#include "prefs/HotkeyChoice.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/PropertySheet.h"
#include "prefs/ShellButtons.h"
#include "support/TestEnvironment.h"
#include "DialogDriver.h"

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

TEST(KeyPrefsPage, TheSliderShowsThousandMinusTheIntervalAndItsEndsGiveThousandAndTen)
{
    TestEnvironment environment;
    {
        OpenKeysPage open(true, 200, false, 0);
        EXPECT_EQ(open.Slider()->value(), 800);
        open.Slider()->setFocus();
        QTest::keyClick(open.Slider(), Qt::Key_Home);
        open.Confirm();
        EXPECT_EQ(open.page.m_nRepeatInterval, 1000);
    }
    {
        OpenKeysPage open(true, 200, false, 0);
        QTest::keyClick(open.Slider(), Qt::Key_End);
        open.Confirm();
        EXPECT_EQ(open.page.m_nRepeatInterval, 10);
    }
}

TEST(KeyPrefsPage, AnIntervalBeyondEitherEndSitsAtThatEndAndConfirmsClamped)
{
    TestEnvironment environment;
    for (const auto &[interval, position, stored] : {std::tuple{5000, 0, 1000}, std::tuple{-3, 990, 10},
                                                      std::tuple{INT_MIN, 990, 10}, std::tuple{INT_MAX, 0, 1000}}) {
        OpenKeysPage open(true, interval, false, 0);
        EXPECT_EQ(open.Slider()->value(), position) << interval;
        open.Confirm();
        EXPECT_EQ(open.page.m_nRepeatInterval, stored) << interval;
    }
}

TEST(KeyPrefsPage, TheCheckBoxesEnableTheirControls)
{
    TestEnvironment environment;
    OpenKeysPage open(false, 200, true, 1);
    const std::initializer_list<int> repeatControls = {CKeyPrefsPage::kSliderId, CKeyPrefsPage::kFasterId,
                                                       CKeyPrefsPage::kSlowerId, CKeyPrefsPage::kFrequencyId};
    const std::initializer_list<int> hotkeyControls = {CKeyPrefsPage::kButtonLabelId, CKeyPrefsPage::kHotkeyListId,
                                                       CKeyPrefsPage::kCurrentLabelId, CKeyPrefsPage::kCurrentAppId};
    for (const int id : repeatControls)
        EXPECT_FALSE(open.Enabled(id)) << id;
    for (const int id : hotkeyControls)
        EXPECT_TRUE(open.Enabled(id)) << id;
    TapItem(&open.page, CKeyPrefsPage::kRepeatCheckId);
    TapItem(&open.page, CKeyPrefsPage::kAssignCheckId);
    for (const int id : repeatControls)
        EXPECT_TRUE(open.Enabled(id)) << id;
    for (const int id : hotkeyControls)
        EXPECT_FALSE(open.Enabled(id)) << id;
    EXPECT_TRUE(open.Enabled(CKeyPrefsPage::kHotKeyGroupId));
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

TEST(KeyPrefsPage, ANumberOfMinusOneSelectsNothingAndConfirmsAsNone)
{
    TestEnvironment environment;
    SetShellCommand(1, u"\\Windows\\inbox.exe");
    OpenKeysPage open(true, 200, false, -1);
    EXPECT_EQ(open.List()->currentIndex(), -1);
    EXPECT_EQ(open.CurrentApp(), QStringLiteral("Current App"));
    TapItem(&open.page, CKeyPrefsPage::kAssignCheckId);
    open.Confirm();
    EXPECT_TRUE(open.page.m_bAssignHotkey);
    EXPECT_EQ(open.page.m_nHotkeyNum, 0);
}

TEST(KeyPrefsPage, TheBoxLeftUncheckedStoresNoneWhateverIsSelected)
{
    TestEnvironment environment;
    for (const int number : {0, 3, 7}) {
        OpenKeysPage open(true, 200, false, number);
        EXPECT_EQ(open.List()->currentIndex(), number == 0 ? 0 : (number == 7 ? -1 : number - 1));
        open.Confirm();
        EXPECT_EQ(open.page.m_nHotkeyNum, 0) << number;
    }
}

TEST(KeyPrefsPage, TheCurrentAssignmentIsRedItsLabelsBlueTheFrequencyPlain)
{
    TestEnvironment environment;
    OpenKeysPage open(true, 200, true, 1);
    EXPECT_EQ(TextColour(&open.page, CKeyPrefsPage::kCurrentAppId), QColor(255, 0, 0));
    for (const int id : {CKeyPrefsPage::kFasterId, CKeyPrefsPage::kSlowerId, CKeyPrefsPage::kButtonLabelId,
                         CKeyPrefsPage::kHotKeyGroupId, CKeyPrefsPage::kCurrentLabelId})
        EXPECT_EQ(TextColour(&open.page, id), QColor(0, 0, 255)) << id;
    EXPECT_NE(TextColour(&open.page, CKeyPrefsPage::kFrequencyId), QColor(0, 0, 255));
    EXPECT_NE(TextColour(&open.page, CKeyPrefsPage::kRepeatCheckId), QColor(0, 0, 255));
}

TEST(KeyPrefsPage, FramesTheRepeatControls)
{
    TestEnvironment environment;
    OpenKeysPage open(true, 200, true, 1);
    const int top = GetDlgItem(&open.page, CKeyPrefsPage::kRepeatCheckId)->y() - 1;
    const QRect faster = GetDlgItem(&open.page, CKeyPrefsPage::kFasterId)->geometry();
    const int bottom = faster.y() + faster.height() + 3;
    const QImage image = Snapshot(&open.page);
    const int w = image.width();
    for (const QPoint corner : {QPoint(3, top), QPoint(w - 3, top), QPoint(w - 3, bottom), QPoint(3, bottom)})
        EXPECT_EQ(image.pixelColor(corner), QColor(Qt::black)) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixelColor(w / 2, top), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(w / 2, bottom), QColor(Qt::black));
    EXPECT_NE(image.pixelColor(2, (top + bottom) / 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(3, (top + bottom) / 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(w - 3, (top + bottom) / 2), QColor(Qt::black));
}

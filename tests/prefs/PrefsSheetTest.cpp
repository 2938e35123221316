#include "prefs/ActionPage.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <memory>

namespace {
// The three pages filled as the caller fills them, and the sheet over them.
struct Preferences {
    CLookFeelPage lookFeel;
    CActionPage action;
    CKeyPrefsPage keys;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    Preferences()
    {
        action.m_nOnStartAction = 2;
        action.m_bCopyOnExit = true;
        action.m_bOpenKBOnStart = true;
        action.m_nDirection = 1;
        keys.m_bRepeatKey = true;
        keys.m_nRepeatInterval = 5000;
        keys.m_bAssignHotkey = true;
        keys.m_nHotkeyNum = 3;
        sheet.AddPage(&lookFeel);
        sheet.AddPage(&action);
        sheet.AddPage(&keys);
    }
};

}

TEST(PrefsSheet, ShowsThePagesInOrderCreatingEachWhenFirstShown)
{
    TestEnvironment environment;
    Preferences preferences;
    preferences.sheet.Create();
    EXPECT_EQ(preferences.sheet.windowTitle(), QStringLiteral("Preferences"));
    const QStringList tabs = {QStringLiteral("Look And Feel"), QStringLiteral("Action"), QStringLiteral("Keys")};
    ASSERT_EQ(preferences.sheet.TabBar()->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(preferences.sheet.TabBar()->tabText(i), tabs[i]);
    EXPECT_EQ(preferences.sheet.GetActivePage(), &preferences.lookFeel);
    EXPECT_TRUE(preferences.lookFeel.IsCreated());
    EXPECT_FALSE(preferences.action.IsCreated());
    ShowPage(preferences.sheet, 1);
    EXPECT_TRUE(preferences.action.isVisible());
    EXPECT_FALSE(preferences.lookFeel.isVisible());
    TapItem(&preferences.action, CActionPage::kCopyOnExitId);
    Tap(preferences.sheet.OkButton());
    EXPECT_EQ(preferences.sheet.result(), IDOK);
    EXPECT_FALSE(preferences.action.m_bCopyOnExit);
    // The Keys page was never opened: the caller's values stand, out of range or not.
    EXPECT_FALSE(preferences.keys.IsCreated());
    EXPECT_EQ(preferences.keys.m_nRepeatInterval, 5000);
    EXPECT_EQ(preferences.keys.m_nHotkeyNum, 3);
}

TEST(PrefsSheet, CancelInTheKeysPageHeaderClosesTheModalSheetAndChangesNothing)
{
    TestEnvironment environment;
    Preferences preferences;
    QTimer::singleShot(0, &preferences.sheet, [&preferences] {
        ShowPage(preferences.sheet, 2);
        TapItem(&preferences.keys, CKeyPrefsPage::kAssignCheckId);
        TapItem(&preferences.keys, IDCANCEL);
    });
    EXPECT_EQ(preferences.sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(preferences.sheet.isVisible());
    EXPECT_TRUE(preferences.keys.m_bAssignHotkey);
    EXPECT_EQ(preferences.keys.m_nRepeatInterval, 5000);
    EXPECT_EQ(preferences.keys.m_nHotkeyNum, 3);
    EXPECT_EQ(preferences.action.m_nOnStartAction, 2);
    EXPECT_TRUE(environment.m_hotKeys.m_calls.empty());
}

TEST(PrefsSheet, TheSheetMayGoBeforeItsPages)
{
    TestEnvironment environment;
    CKeyPrefsPage keys;
    {
        auto sheet = std::make_unique<CPropertySheet>(QStringLiteral("Preferences"));
        sheet->AddPage(&keys);
        sheet->Create();
        Tap(sheet->OkButton());
    }
    EXPECT_EQ(keys.parentWidget(), nullptr);
    EXPECT_EQ(keys.m_nHotkeyNum, 0);
}

#include "prefs/AboutDlg.h"
#include "prefs/ActionPage.h"
#include "prefs/FontDlg.h"
#include "dialogs/HeaderFrame.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <algorithm>

namespace {
const QColor kBlue(0, 0, 255);
constexpr int kRuleRow = 23;

// The three pages over values out of range, and the sheet over them.
struct Preferences {
    TestEnvironment environment;
    CLookFeelPage lookFeel;
    CActionPage action;
    CKeyPrefsPage keys;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    Preferences()
    {
        std::tie(action.m_nOnStartAction, action.m_bCopyOnExit, action.m_bOpenKBOnStart, action.m_nDirection) =
            std::tuple(2, true, true, 1);
        std::tie(keys.m_bRepeatKey, keys.m_nRepeatInterval, keys.m_bAssignHotkey, keys.m_nHotkeyNum) =
            std::tuple(true, 5000, true, 3);
        for (CPropertyPage *page : std::initializer_list<CPropertyPage *>{&lookFeel, &action, &keys})
            sheet.AddPage(page);
    }
};

// The rule, the blue bold title inside its rectangle and Cancel at the top right.
void ExpectHeader(QWidget *dialog, const QString &title)
{
    SCOPED_TRACE(title.toStdString());
    const QImage image = Snapshot(dialog);
    const int w = image.width();
    QRect blue;
    for (int y = 0; y <= kRuleRow; ++y)
        for (int x = 0; x < w; ++x) {
            if (y == kRuleRow)
                ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::black)) << "x " << x;
            else if (image.pixelColor(x, y) == kBlue && x < w - 52)
                blue |= QRect(x, y, 1, 1);
        }
    EXPECT_NE(image.pixelColor(w / 2, kRuleRow + 1), QColor(Qt::black));
    EXPECT_TRUE(blue.width() > 10 && QRect(QPoint(4, 5), QPoint(w - 71, 21)).contains(blue));
    auto *label = GetDlgItemAs<QLabel>(dialog, HeaderFrame::kStaticId);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text() == title && label->font().bold());
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL)->geometry(), QRect(w - 50, 2, 48, 20));
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL)->palette().color(QPalette::ButtonText), kBlue);
}

void ExpectInsideTheScreen(QWidget *dialog)
{
    EXPECT_TRUE(dialog->width() <= 240 && dialog->height() <= 320);
    for (QWidget *control : dialog->findChildren<QWidget *>()) {
        const bool inside = QRect(QPoint(), dialog->size()).contains(QRect(control->mapTo(dialog, QPoint()), control->size()));
        EXPECT_TRUE(inside || !control->isVisibleTo(dialog) || GetDlgCtrlID(control) == 0) << "control " << GetDlgCtrlID(control);
    }
}
}

TEST(PrefsSheet, EveryPageAndDialogShowsTheHeaderAndFitsTheScreen)
{
    Preferences preferences;
    preferences.sheet.Create();
    const std::pair<CPropertyPage *, QString> pages[] = {
        {&preferences.lookFeel, "Look & Feel"}, {&preferences.action, "Action"}, {&preferences.keys, "Keys"}};
    for (int page = 0; page < 3; ++page) {
        preferences.sheet.SetActivePage(page);
        ExpectHeader(pages[page].first, pages[page].second);
        ExpectInsideTheScreen(&preferences.sheet);
    }
    CFontDlg font;
    font.Create();
    ExpectHeader(&font, QStringLiteral("Font Dialog"));
    ExpectInsideTheScreen(&font);
    TapItem(&font, IDCANCEL);
    EXPECT_EQ(font.result(), IDCANCEL);
    CAboutDlg about;
    about.Create();
    ExpectInsideTheScreen(&about);
}

TEST(PrefsSheet, AboutShowsItsTitlesBlueInTheTitleFontAndTheIconAndClosesWithOk)
{
    TestEnvironment environment;
    CAboutDlg about;
    QTimer::singleShot(0, &about, [&about] {
        EXPECT_EQ(about.TitleFont().Description().lfWeight, 600);
        EXPECT_EQ(about.TitleFont().Description().lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 14));
        for (const int id : {CAboutDlg::kProductId, CAboutDlg::kSubtitleId}) {
            EXPECT_EQ(GetDlgItemAs<QLabel>(&about, id)->font(), about.TitleFont().Font());
            EXPECT_EQ(TextColour(&about, id), kBlue);
        }
        EXPECT_NE(TextColour(&about, CAboutDlg::kVersionId), kBlue);
        const QList<QLabel *> labels = about.findChildren<QLabel *>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel *label) { return !label->pixmap().isNull(); }));
        TapItem(&about, IDOK);
    });
    EXPECT_EQ(about.DoModal(), IDOK);
}

TEST(PrefsSheet, PagesAreCreatedWhenFirstShownAndOnlyTheirValuesChange)
{
    Preferences preferences;
    preferences.sheet.Create();
    EXPECT_EQ(preferences.sheet.windowTitle(), QStringLiteral("Preferences"));
    const QStringList tabs = {QStringLiteral("Look And Feel"), QStringLiteral("Action"), QStringLiteral("Keys")};
    ASSERT_EQ(preferences.sheet.TabBar()->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(preferences.sheet.TabBar()->tabText(i), tabs[i]);
    EXPECT_TRUE(preferences.sheet.GetActivePage() == &preferences.lookFeel && preferences.lookFeel.IsCreated());
    EXPECT_FALSE(preferences.action.IsCreated());
    ShowPage(preferences.sheet, 1);
    EXPECT_TRUE(preferences.action.isVisible() && !preferences.lookFeel.isVisible());
    TapItem(&preferences.action, CActionPage::kCopyOnExitId);
    Tap(preferences.sheet.OkButton());
    EXPECT_EQ(preferences.sheet.result(), IDOK);
    EXPECT_FALSE(preferences.action.m_bCopyOnExit);
    // The Keys page was never opened: the caller's values stand, out of range or not.
    EXPECT_FALSE(preferences.keys.IsCreated());
    EXPECT_TRUE(preferences.keys.m_nRepeatInterval == 5000 && preferences.keys.m_nHotkeyNum == 3);
}

TEST(PrefsSheet, CancelInTheKeysPageHeaderClosesTheModalSheetAndChangesNothing)
{
    Preferences preferences;
    QTimer::singleShot(0, &preferences.sheet, [&preferences] {
        ShowPage(preferences.sheet, 2);
        TapItem(&preferences.keys, CKeyPrefsPage::kAssignCheckId);
        TapItem(&preferences.keys, IDCANCEL);
    });
    EXPECT_EQ(preferences.sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(preferences.sheet.isVisible());
    EXPECT_TRUE(preferences.keys.m_bAssignHotkey && preferences.keys.m_nRepeatInterval == 5000 &&
                preferences.keys.m_nHotkeyNum == 3 && preferences.action.m_nOnStartAction == 2);
    EXPECT_TRUE(preferences.environment.m_hotKeys.m_calls.empty());
    // The sheet may go before its pages.
    CKeyPrefsPage keys;
    {
        CPropertySheet sheet(QStringLiteral("Preferences"));
        sheet.AddPage(&keys);
        sheet.Create();
        Tap(sheet.OkButton());
    }
    EXPECT_TRUE(keys.parentWidget() == nullptr && keys.m_nHotkeyNum == 0);
}

#include "prefs/ActionPage.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QPushButton>

namespace {
const QColor kBlue(0, 0, 255);

// The sheet with the Action page alone, opened and showing it.
struct OpenActionPage {
    CActionPage page;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    OpenActionPage(int onStart, bool copyOnExit, bool openOnStart, int direction)
    {
        page.m_nOnStartAction = onStart;
        page.m_bCopyOnExit = copyOnExit;
        page.m_bOpenKBOnStart = openOnStart;
        page.m_nDirection = direction;
        sheet.AddPage(&page);
        sheet.Create();
    }

    void Confirm() { Tap(sheet.OkButton()); }

    // Which stripe of the device picture is white: the right-handed one
    // (near the group box) or the left-handed one.
    bool StripeWhite(bool rightHanded)
    {
        const QRect group = GetDlgItem(&page, CActionPage::kDirectionGroupId)->geometry();
        const int right = group.x() + group.width();
        const QImage image = Snapshot(&page);
        const int x = rightHanded ? right + 29 : right + 59;
        return image.pixelColor(x, group.y() + group.height() / 2) == QColor(Qt::white);
    }
};
}

TEST(ActionPage, ShowsTheFieldsAndReadsTheUsersChoicesBack)
{
    TestEnvironment environment;
    OpenActionPage open(1, true, false, 0);
    EXPECT_TRUE(IsChecked(&open.page, CActionPage::kLoadLastId));
    EXPECT_FALSE(IsChecked(&open.page, CActionPage::kClearId));
    EXPECT_TRUE(IsChecked(&open.page, CActionPage::kCopyOnExitId));
    EXPECT_FALSE(IsChecked(&open.page, CActionPage::kOpenOnStartId));
    EXPECT_TRUE(IsChecked(&open.page, CActionPage::kLeftHandedId));
    TapItem(&open.page, CActionPage::kPasteId);
    TapItem(&open.page, CActionPage::kCopyOnExitId);
    TapItem(&open.page, CActionPage::kOpenOnStartId);
    TapItem(&open.page, CActionPage::kRightHandedId);
    EXPECT_FALSE(IsChecked(&open.page, CActionPage::kLoadLastId));
    EXPECT_FALSE(IsChecked(&open.page, CActionPage::kLeftHandedId));
    open.Confirm();
    EXPECT_EQ(open.page.m_nOnStartAction, 2);
    EXPECT_FALSE(open.page.m_bCopyOnExit);
    EXPECT_TRUE(open.page.m_bOpenKBOnStart);
    EXPECT_EQ(open.page.m_nDirection, 1);
}

TEST(ActionPage, AnOnStartActionOutsideTheGroupChecksNothingAndConfirmsAsMinusOne)
{
    TestEnvironment environment;
    OpenActionPage open(7, false, false, 1);
    for (const int id : {CActionPage::kClearId, CActionPage::kLoadLastId, CActionPage::kPasteId})
        EXPECT_FALSE(IsChecked(&open.page, id)) << id;
    open.Confirm();
    EXPECT_EQ(open.page.m_nOnStartAction, -1);
    EXPECT_EQ(open.page.m_nDirection, 1);
}

TEST(ActionPage, TheWhiteStripeFollowsTheDirectionButtonsAtOnce)
{
    TestEnvironment environment;
    OpenActionPage open(0, false, false, 1);
    EXPECT_TRUE(open.StripeWhite(true));
    EXPECT_FALSE(open.StripeWhite(false));
    TapItem(&open.page, CActionPage::kLeftHandedId);
    EXPECT_FALSE(open.StripeWhite(true));
    EXPECT_TRUE(open.StripeWhite(false));
    // The field changes only with OK.
    EXPECT_EQ(open.page.m_nDirection, 1);
    TapItem(&open.page, CActionPage::kRightHandedId);
    EXPECT_TRUE(open.StripeWhite(true));
}

TEST(ActionPage, DrawsTheDeviceBesideTheDirectionGroupWithBlueGroupTitles)
{
    TestEnvironment environment;
    OpenActionPage open(0, false, false, 0);
    const QRect group = GetDlgItem(&open.page, CActionPage::kDirectionGroupId)->geometry();
    const int r = group.x() + group.width();
    const int t = group.y();
    const int b = t + group.height();
    const QImage image = Snapshot(&open.page);
    // Black from (R + 25, T + 5) to (R + 65, B), white from (R + 57, T + 13) to (R + 63, B - 8).
    for (const QPoint black :
         {QPoint(r + 25, t + 5), QPoint(r + 64, b - 1), QPoint(r + 63, t + 20), QPoint(r + 60, b - 8)})
        EXPECT_EQ(image.pixelColor(black), QColor(Qt::black)) << black.x() - r << "," << black.y() - t;
    for (const QPoint other :
         {QPoint(r + 24, t + 20), QPoint(r + 65, t + 20), QPoint(r + 40, t + 4), QPoint(r + 40, b)})
        EXPECT_NE(image.pixelColor(other), QColor(Qt::black)) << other.x() - r << "," << other.y() - t;
    EXPECT_EQ(image.pixelColor(r + 57, t + 13), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(r + 62, b - 9), QColor(Qt::white));
    EXPECT_EQ(TextColour(&open.page, CActionPage::kOnStartGroupId), kBlue);
    EXPECT_EQ(TextColour(&open.page, CActionPage::kDirectionGroupId), kBlue);
    EXPECT_NE(TextColour(&open.page, CActionPage::kClearId), kBlue);
}

#include "prefs/ActionPage.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QPushButton>

namespace {
// The sheet with the Action page alone, opened and showing it.
struct OpenActionPage {
    TestEnvironment environment;
    CActionPage page;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    OpenActionPage(int onStart, bool copyOnExit, bool openOnStart, int direction)
    {
        std::tie(page.m_nOnStartAction, page.m_bCopyOnExit, page.m_bOpenKBOnStart, page.m_nDirection) =
            std::tuple(onStart, copyOnExit, openOnStart, direction);
        sheet.AddPage(&page);
        sheet.Create();
    }
    void Confirm() { Tap(sheet.OkButton()); }
    bool Checked(int id) const { return IsChecked(&page, id); }
    // The device picture beside the direction group, from its right edge and
    // its top (0), bottom (1) or middle (2).
    QColor Device(int dx, int dy, int from = 0) const
    {
        const QRect group = GetDlgItem(&page, CActionPage::kDirectionGroupId)->geometry();
        const int y = group.y() + (from == 1 ? group.height() : from == 2 ? group.height() / 2 : 0) + dy;
        return Snapshot(const_cast<CActionPage *>(&page)).pixelColor(group.x() + group.width() + dx, y);
    }
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
    EXPECT_EQ(TextColour(&open.page, CActionPage::kOnStartGroupId), QColor(0, 0, 255));
    EXPECT_EQ(TextColour(&open.page, CActionPage::kDirectionGroupId), QColor(0, 0, 255));
    EXPECT_NE(TextColour(&open.page, CActionPage::kClearId), QColor(0, 0, 255));
}

#include "menu/SideMenuLayout.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SideMenuLayout, AStepLandingExactlyOnTheEndDoesNotStopTheAnimation)
{
    const std::vector<int> opening{30, 60, 90, 120, 150, 180, 180};
    const std::vector<int> closing{150, 120, 90, 60, 30, 0, 0};
    const MenuRect rcOpen{30, 0, 210, 180};
    for (int slide : {SLIDE_RIGHT, SLIDE_LEFT, SLIDE_TOP, SLIDE_BOTTOM}) {
        for (bool bOpening : {true, false}) {
            MenuRect rc = bOpening ? CollapseMenuRect(rcOpen, slide) : rcOpen;
            std::vector<int> lengths;
            for (bool bStopped = false; !bStopped && lengths.size() < 10;) {
                bStopped = StepMenuRect(rc, rcOpen, slide, bOpening);
                lengths.push_back(slide <= SLIDE_LEFT ? rc.Width() : rc.Height());
            }
            EXPECT_EQ(lengths, bOpening ? opening : closing) << slide;
            EXPECT_EQ(rc, bOpening ? rcOpen : CollapseMenuRect(rcOpen, slide)) << slide;
        }
    }
}

TEST(SideMenuLayout, TheItemUnderAPointIsTheItemWhoseBandIsPaintedThere)
{
    const int width = 178;
    for (bool bRightHanded : {true, false}) {
        for (int x = 0; x < width; ++x) {
            const int item = MenuItemAt(x, width, bRightHanded);
            const int left = MenuBandLeft(item, width, bRightHanded);
            EXPECT_TRUE(left <= x && x < left + kMenuItemSize) << bRightHanded << " x " << x;
        }
    }
    // Up to 19 pixels beyond the first band's outer edge still count as the
    // first band, alike for both directions.
    EXPECT_EQ(MenuItemAt(-19, width, true), 0);
    EXPECT_EQ(MenuItemAt(-20, width, true), -1);
    EXPECT_EQ(MenuItemAt(width + 18, width, false), 0);
    EXPECT_EQ(MenuItemAt(width + 19, width, false), -1);
}

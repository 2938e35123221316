#include "menu/SideMenuLayout.h"

#include <gtest/gtest.h>

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

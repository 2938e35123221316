#include "platform/PointFont.h"

#include <gtest/gtest.h>

// How escaped text turns is proven where it is drawn: the board's watermark,
// the side menu's items and the line list.
TEST(PointFont, HeightFollowsTheHandheldFormulaAndWeightsStylesFaceAndRotationAreKept)
{
    for (const auto &[dpi, points, height] : {std::tuple(96, 8.0, -10), {96, 8.5, -11}, {96, 9.0, -12}, {96, 12.0, -16},
                                              {96, 14.0, -18}, {120, 12.0, -20}})
        EXPECT_EQ(PointSizeToHeight(dpi, points), height) << dpi << " " << points;
    PointFont bold;
    MakePointFont(bold, QStringLiteral("Tahoma"), 8.5, true, true, true, true, 900, 900);
    ASSERT_FALSE(bold.IsNull());
    EXPECT_EQ(bold.Description().lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 8.5));
    EXPECT_TRUE(bold.Description().lfWeight == 600 && bold.Font().weight() == 600 && bold.Font().italic() &&
                bold.Font().strikeOut() && bold.Font().underline() && bold.Escapement() == 900);
    EXPECT_EQ(bold.Font().pixelSize(), -bold.Description().lfHeight);
    PointFont plain;
    MakePointFont(plain, QString(40, QLatin1Char('F')), 12, false, false, false, false, 0, 0);
    EXPECT_TRUE(plain.Description().lfWeight == 400 && plain.Description().lfFaceName.size() == 31);
    plain.Delete();
    EXPECT_TRUE(plain.IsNull());
}

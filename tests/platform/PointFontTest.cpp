#include "platform/PointFont.h"

#include <gtest/gtest.h>

// Wine's Tahoma, registered by the test program as by the program at start,
// is what the board's watermark and the dialogs' fitting tests draw with
// (CI installs fonts-wine); a face left unregistered fails them.

// The handheld's formula truncates twice: (dpi * tenths / -72) / 10.
TEST(PointFont, HeightWeightStylesFaceAndRotationAreKept)
{
    for (const auto &[dpi, points, height] :
         {std::tuple(96, 8.0, -10), {96, 8.5, -11}, {96, 9.0, -12}, {96, 12.0, -16}, {96, 14.0, -18}, {120, 12.0, -20}})
        EXPECT_EQ(PointSizeToHeight(dpi, points), height) << dpi << " dpi, " << points << " points";
    PointFont bold;
    MakePointFont(bold, QStringLiteral("Tahoma"), 8.5, true, true, true, true, 900, 900);
    EXPECT_EQ(bold.Description().lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 8.5));
    EXPECT_EQ(std::tuple(bold.Description().lfWeight, bold.Font().weight(), bold.Escapement(), bold.Font().pixelSize()),
              std::tuple(600, 600, 900, -bold.Description().lfHeight));
    EXPECT_TRUE(bold.Font().italic() && bold.Font().strikeOut() && bold.Font().underline());
    PointFont plain;
    MakePointFont(plain, QString(40, QLatin1Char('F')), 12, false, false, false, false, 0, 0);
    EXPECT_EQ(std::pair(plain.Description().lfWeight, plain.Description().lfFaceName.size()), std::pair(400, qsizetype(31)));
    plain.Delete();
    EXPECT_TRUE(plain.IsNull());
}

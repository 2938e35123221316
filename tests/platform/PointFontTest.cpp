#include "platform/PointFont.h"
#include "platform/ResizedFace.h"
#include "platform/TextDraw.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <functional>

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

// The board's smaller Tahoma texts are drawn through the key labels' engine
// resized: pixels and metrics must be what the font's own engine gives, up
// and down the screen, and a character the face lacks still comes from the
// fall-back face.
TEST(PointFont, AResizedFaceDrawsAndMeasuresAsTheFontsOwnEngine)
{
    const auto drawn = [](const std::function<void(QPainter &)> &draw) {
        QImage image(120, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        draw(painter);
        painter.end();
        return image;
    };
    PointFont labels;
    MakePointFont(labels, QStringLiteral("Tahoma"), 12, true, false, false, false, 900, 900);
    for (const double points : {8.0, 8.5, 20.0})
        for (const int escapement : {900, 2700}) {
            PointFont font;
            MakePointFont(font, QStringLiteral("Tahoma"), points, true, false, false, false, escapement, escapement);
            const ResizedFace face(font, labels);
            ASSERT_TRUE(face.IsResized());
            EXPECT_EQ(face.Height(), QFontMetrics(font.Font()).height());
            for (const QString &text :
                 {QStringLiteral("vorlane"), QStringLiteral("AVAWay\u00E1\u00FC"), QStringLiteral("a\u4E2D")}) {
                SCOPED_TRACE(testing::Message() << points << " points, " << escapement << ", " << text.toStdString());
                EXPECT_EQ(face.Width(text), TextWidth(font, text));
                EXPECT_EQ(drawn([&](QPainter &painter) { face.Draw(painter, 60, 60, text); }),
                          drawn([&](QPainter &painter) { ExtTextOut(painter, 60, 60, font, text); }));
            }
        }
    PointFont regular;
    MakePointFont(regular, QStringLiteral("Tahoma"), 8, false, false, false, false, 900, 900);
    EXPECT_FALSE(ResizedFace(regular, labels).IsResized());
}

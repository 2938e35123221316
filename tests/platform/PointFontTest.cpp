#include "platform/PointFont.h"
#include "platform/TahomaFont.h"
#include "platform/TextDraw.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRawFont>

TEST(PointFont, HeightFollowsTheHandheldFormula)
{
    EXPECT_EQ(PointSizeToHeight(96, 8), -10);
    EXPECT_EQ(PointSizeToHeight(96, 8.5), -11);
    EXPECT_EQ(PointSizeToHeight(96, 9), -12);
    EXPECT_EQ(PointSizeToHeight(96, 12), -16);
    EXPECT_EQ(PointSizeToHeight(96, 14), -18);
    EXPECT_EQ(PointSizeToHeight(120, 12), -20);
}

TEST(PointFont, WeightsStylesFaceAndRotationAreKept)
{
    PointFont bold;
    MakePointFont(bold, QStringLiteral("Tahoma"), 8.5, true, true, true, true, 900, 900);
    ASSERT_FALSE(bold.IsNull());
    EXPECT_EQ(bold.Description().lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 8.5));
    EXPECT_EQ(bold.Description().lfWeight, 600);
    EXPECT_EQ(bold.Font().weight(), 600);
    EXPECT_TRUE(bold.Font().italic());
    EXPECT_TRUE(bold.Font().strikeOut());
    EXPECT_TRUE(bold.Font().underline());
    EXPECT_EQ(bold.Escapement(), 900);
    EXPECT_EQ(bold.Font().pixelSize(), -bold.Description().lfHeight);

    PointFont plain;
    MakePointFont(plain, QString(40, QLatin1Char('F')), 12, false, false, false, false, 0, 0);
    EXPECT_EQ(plain.Description().lfWeight, 400);
    EXPECT_EQ(plain.Description().lfFaceName.size(), 31);
    plain.Delete();
    EXPECT_TRUE(plain.IsNull());
}

namespace {
// The bounding box of the black pixels of a white image.
QRect Ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage DrawAt(int escapement, int x, int y, const QString &text)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    PointFont font;
    MakePointFont(font, QStringLiteral("Tahoma"), 12, true, false, false, false, escapement, escapement);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    ExtTextOut(painter, x, y, font, text);
    return image;
}
}

TEST(PointFont, EscapedTextReadsUpwardsOrDownwardsFromItsPoint)
{
    const QRect flat = Ink(DrawAt(0, 10, 10, QStringLiteral("IIIIIIII")));
    ASSERT_TRUE(flat.isValid());
    EXPECT_GT(flat.width(), flat.height());
    EXPECT_GE(flat.left(), 10);
    EXPECT_GE(flat.top(), 10);

    // 900: the text runs up from the point, its cell to the right of it.
    const QRect up = Ink(DrawAt(900, 10, 90, QStringLiteral("IIIIIIII")));
    ASSERT_TRUE(up.isValid());
    EXPECT_GT(up.height(), up.width());
    EXPECT_LE(up.bottom(), 90);
    EXPECT_GE(up.left(), 10);

    // 2700: the text runs down from the point, its cell to the left of it.
    const QRect down = Ink(DrawAt(2700, 90, 10, QStringLiteral("IIIIIIII")));
    ASSERT_TRUE(down.isValid());
    EXPECT_GT(down.height(), down.width());
    EXPECT_GE(down.top(), 10);
    EXPECT_LE(down.right(), 90);
}

// The test program registers Wine's Tahoma as the program does at start. With
// fonts-wine installed (CI installs it) both weights must really be Tahoma;
// without it the fonts fall back, and registering finds nothing to add.
TEST(PointFont, TahomaIsWinesWhenInstalledAndFallsBackOtherwise)
{
    const bool installed = QFileInfo::exists(QString::fromLatin1(kWineFontFolder) + QStringLiteral("/tahoma.ttf"));
    for (const bool bold : {false, true}) {
        PointFont font;
        MakePointFont(font, QStringLiteral("Tahoma"), 9, bold, false, false, false, 0, 0);
        const QRawFont face = QRawFont::fromFont(font.Font());
        EXPECT_EQ(face.familyName() == QStringLiteral("Tahoma"), installed) << face.familyName().toStdString();
        if (installed)
            EXPECT_EQ(face.styleName(), bold ? QStringLiteral("Bold") : QStringLiteral("Regular"));
    }
    EXPECT_EQ(RegisterTahoma(QDir::tempPath() + QStringLiteral("/no-such-wine-fonts")), 0);
}

#include "prefs/AboutDlg.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>

TEST(AboutDlg, ShowsNameSubtitleInTheBlueTitleFontVersionAndIcon)
{
    TestEnvironment environment;
    CAboutDlg about;
    about.Create();
    const auto *product = GetDlgItemAs<QLabel>(&about, CAboutDlg::kProductId);
    const auto *subtitle = GetDlgItemAs<QLabel>(&about, CAboutDlg::kSubtitleId);
    const auto *version = GetDlgItemAs<QLabel>(&about, CAboutDlg::kVersionId);
    EXPECT_EQ(product->text(), QStringLiteral("Quorlex"));
    EXPECT_EQ(subtitle->text(), QStringLiteral("for Pocket PC"));
    EXPECT_EQ(version->text(), QStringLiteral("Version 1.5"));
    EXPECT_EQ(about.TitleFont().Description().lfWeight, 600);
    EXPECT_EQ(about.TitleFont().Description().lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 14));
    for (const QLabel *title : {product, subtitle}) {
        EXPECT_EQ(title->font(), about.TitleFont().Font());
        EXPECT_EQ(TextColour(&about, GetDlgCtrlID(title)), QColor(0, 0, 255));
    }
    EXPECT_NE(TextColour(&about, CAboutDlg::kVersionId), QColor(0, 0, 255));
    bool hasIcon = false;
    for (const QLabel *label : about.findChildren<QLabel *>())
        hasIcon = hasIcon || !label->pixmap().isNull();
    EXPECT_TRUE(hasIcon);
}

TEST(AboutDlg, RunsModallyAndClosesWithOk)
{
    TestEnvironment environment;
    CAboutDlg about;
    QTimer::singleShot(0, &about, [&about] { TapItem(&about, IDOK); });
    EXPECT_EQ(about.DoModal(), IDOK);
}

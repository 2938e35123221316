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

namespace {
const QColor kBlue(0, 0, 255);
constexpr int kRuleRow = 23;

// The rule, the blue title inside its rectangle and Cancel at the top right.
void ExpectHeader(QWidget *dialog, const QString &title)
{
    SCOPED_TRACE(title.toStdString());
    const QImage image = Snapshot(dialog);
    const int w = image.width();
    for (int x = 0; x < w; ++x)
        ASSERT_EQ(image.pixelColor(x, kRuleRow), QColor(Qt::black)) << "x " << x;
    EXPECT_NE(image.pixelColor(w / 2, kRuleRow + 1), QColor(Qt::black));
    int bluePixels = 0;
    QRect blueBounds;
    for (int y = 0; y < kRuleRow; ++y) {
        for (int x = 0; x < w - 52; ++x) {
            if (image.pixelColor(x, y) == kBlue) {
                ++bluePixels;
                blueBounds |= QRect(x, y, 1, 1);
            }
        }
    }
    EXPECT_GT(bluePixels, 30);
    EXPECT_TRUE(QRect(QPoint(4, 5), QPoint(w - 71, 21)).contains(blueBounds))
        << blueBounds.x() << "," << blueBounds.y() << " " << blueBounds.width() << "x" << blueBounds.height();
    auto *label = GetDlgItemAs<QLabel>(dialog, HeaderFrame::kStaticId);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), title);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL)->geometry(), QRect(w - 50, 2, 48, 20));
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL)->palette().color(QPalette::ButtonText), kBlue);
}

void ExpectInsideTheScreen(QWidget *dialog)
{
    EXPECT_LE(dialog->width(), 240);
    EXPECT_LE(dialog->height(), 320);
    const QRect area(QPoint(0, 0), dialog->size());
    for (QWidget *control : dialog->findChildren<QWidget *>()) {
        const QRect placed(control->mapTo(dialog, QPoint(0, 0)), control->size());
        if (control->isVisibleTo(dialog) && GetDlgCtrlID(control) != 0) {
            EXPECT_TRUE(area.contains(placed)) << "control " << GetDlgCtrlID(control);
        }
    }
}
}

// The preference sheet with its three pages, created and shown.
struct OpenSheet {
    CLookFeelPage lookFeel;
    CActionPage action;
    CKeyPrefsPage keys;
    CPropertySheet sheet{QStringLiteral("Preferences")};
    OpenSheet()
    {
        sheet.AddPage(&lookFeel);
        sheet.AddPage(&action);
        sheet.AddPage(&keys);
        sheet.Create();
    }
};

TEST(HeaderFrame, DialogsAndEveryPageShowTheTitleRuleAndCancel)
{
    TestEnvironment environment;
    CFontDlg font;
    font.Create();
    ExpectHeader(&font, QStringLiteral("Font Dialog"));
    TapItem(&font, IDCANCEL);
    EXPECT_EQ(font.result(), IDCANCEL);
    OpenSheet open;
    CPropertySheet &sheet = open.sheet;
    ExpectHeader(&open.lookFeel, QStringLiteral("Look & Feel"));
    sheet.SetActivePage(1);
    ExpectHeader(&open.action, QStringLiteral("Action"));
    sheet.SetActivePage(2);
    ExpectHeader(&open.keys, QStringLiteral("Keys"));
}

TEST(HeaderFrame, EveryDialogPageAndControlFitsTheScreen)
{
    TestEnvironment environment;
    OpenSheet open;
    CPropertySheet &sheet = open.sheet;
    for (int page = 0; page < sheet.GetPageCount(); ++page) {
        sheet.SetActivePage(page);
        ExpectInsideTheScreen(&sheet);
    }
    CFontDlg font;
    font.Create();
    ExpectInsideTheScreen(&font);
    CAboutDlg about;
    about.Create();
    ExpectInsideTheScreen(&about);
}

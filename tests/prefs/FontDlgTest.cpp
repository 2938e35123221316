#include "platform/PointFont.h"
#include "prefs/FontDlg.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {
// A font dialog made and shown over its own environment.
struct OpenFontDlg {
    TestEnvironment environment;
    CFontDlg dialog;

    QComboBox *Combo(int id) const { return GetDlgItemAs<QComboBox>(&dialog, id); }
    int SampleHeight() const { return dialog.SampleMetrics().lfHeight; }
};

int Points(int points)
{
    return PointSizeToHeight(ScreenDotsPerInchY(), points);
}
}

// The list is handed to the dialog, so that the cap holds however few
// families the machine has.
TEST(FontDlg, OffersTheFirst24ReportedFamiliesCutTo31CharactersAndSortedAndDrawsTheSample)
{
    OpenFontDlg open;
    for (int i = 30; i > 0; --i)
        open.dialog.m_reportedFamilies << QStringLiteral("%1amily %2").arg(i % 2 ? 'f' : 'F').arg(i) + QString(i == 29 ? 40 : 0, 'x');
    open.dialog.Create();
    QStringList expected = open.dialog.m_reportedFamilies.mid(0, 24);
    expected[1].truncate(31);
    EXPECT_EQ(open.dialog.Families(), expected);
    std::sort(expected.begin(), expected.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(ComboEntries(open.Combo(CFontDlg::kFontListId)), expected);
    // The sample text is drawn inside its framed rectangle.
    const QImage image = Snapshot(&open.dialog);
    const int w = image.width();
    const int h = image.height();
    for (const QPoint frame : {QPoint(w / 2, h - 100), QPoint(w / 2, h - 51), QPoint(0, h - 75), QPoint(w - 1, h - 75)})
        EXPECT_EQ(image.pixelColor(frame), QColor(Qt::black)) << frame.x() << "," << frame.y();
    EXPECT_EQ(image.pixelColor(w / 2, h - 50), QColor(Qt::white));
    int ink[2] = {0, 0}; // in the middle half, near the sides
    for (int y = h - 98; y < h - 52; ++y) {
        for (int x = 1; x < w - 1; ++x)
            ink[x > w / 4 && x < 3 * w / 4 ? 0 : 1] += image.pixelColor(x, y) == QColor(Qt::black);
    }
    EXPECT_GT(ink[0], 50);
    EXPECT_EQ(ink[1], 0);
}

// The face in use, reported after the first 24, takes the last place and
// stays selected, so that OK does not swap it for another.
TEST(FontDlg, TheFaceInUseIsOfferedEvenWhenReportedLate)
{
    OpenFontDlg open;
    for (int i = 30; i > 0; --i)
        open.dialog.m_reportedFamilies << QStringLiteral("Family %1").arg(i);
    open.dialog.m_strFaceName = QStringLiteral("FAMILY 3");
    open.dialog.Create();
    EXPECT_EQ(open.dialog.Families(), open.dialog.m_reportedFamilies.mid(0, 23) << "Family 3");
    TapItem(&open.dialog, IDOK);
    EXPECT_EQ(open.dialog.m_strFaceName, QStringLiteral("Family 3"));
}

// An unknown face gives the first family; the sample follows the family on
// the posted message and the styles at once, bold at 700 (the pad font made
// from the same choice is 600, see PointFont); the fields come back on OK.
TEST(FontDlg, TheSampleFollowsTheChoicesAndTheFieldsComeBackOnOk)
{
    for (const int button : {IDCANCEL, IDOK}) {
        OpenFontDlg open;
        std::tie(open.dialog.m_strFaceName, open.dialog.m_nSize, open.dialog.m_bItalic) =
            std::tuple(QStringLiteral("No Such Face"), 14, 1);
        open.dialog.Create();
        QComboBox *list = open.Combo(CFontDlg::kFontListId);
        ASSERT_GT(list->count(), 1);
        EXPECT_EQ(open.Combo(CFontDlg::kSizeListId)->currentText(), QStringLiteral("14"));
        EXPECT_EQ(open.dialog.SampleFont().Description().lfWeight, 400);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(open.dialog.SampleFont().Description().lfFaceName, list->itemText(0));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(open.dialog.SampleFont().Description().lfFaceName, list->itemText(1));
        for (const int id : {CFontDlg::kBoldId, CFontDlg::kStrikeId, CFontDlg::kItalicId, CFontDlg::kUnderlineId})
            TapItem(&open.dialog, id);
        const LogFont &sample = open.dialog.SampleFont().Description();
        EXPECT_TRUE(sample.lfWeight == 700 && sample.lfStrikeOut && sample.lfUnderline && !sample.lfItalic);
        TapItem(&open.dialog, button);
        EXPECT_EQ(open.dialog.result(), button);
        const CFontDlg &d = open.dialog;
        if (button == IDOK) { // after Cancel the caller ignores the fields
            EXPECT_EQ(std::tuple(d.m_strFaceName, d.m_nSize, d.m_bBold, d.m_bItalic, d.m_bStrike, d.m_bUnderline),
                      std::tuple(list->itemText(1), 14, 1, 0, 1, 1));
        }
        EXPECT_TRUE(d.SampleFont().IsNull()) << "the sample font goes with the dialog";
    }
}

// Typed sizes reach the sample at once; what is no size, or one no screen
// could show or whose height would overflow, falls back to 9; a blank field
// leaves the size as it was.
TEST(FontDlg, TheSizeFieldUpdatesTheSampleWhileTypingAndFallsBackToNine)
{
    OpenFontDlg open;
    open.dialog.m_nSize = 1; // selects the first entry beginning with "1"
    open.dialog.Create();
    QComboBox *sizes = open.Combo(CFontDlg::kSizeListId);
    EXPECT_EQ(sizes->currentText(), QStringLiteral("10"));
    EXPECT_EQ(open.SampleHeight(), Points(10));
    for (const auto &[typed, shown, points] : {std::tuple("13", "13", 13), {"xy", "9", 9}, {"20", "20", 20},
                                               {"", "", 20}, {"2147483647", "9", 9}}) {
        TypeText(sizes->lineEdit(), QString::fromLatin1(typed));
        EXPECT_EQ(sizes->currentText(), QString::fromLatin1(shown)) << typed;
        EXPECT_EQ(open.SampleHeight(), Points(points)) << typed;
        EXPECT_EQ(open.dialog.SampleFont().Description().lfHeight, Points(points)) << typed;
    }
    TapItem(&open.dialog, IDOK);
    EXPECT_EQ(open.dialog.m_nSize, 9);
}

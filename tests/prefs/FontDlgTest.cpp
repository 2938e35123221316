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
QComboBox *Combo(const CFontDlg &dialog, int id)
{
    return GetDlgItemAs<QComboBox>(&dialog, id);
}

void TypeSize(CFontDlg &dialog, const QString &text)
{
    QLineEdit *field = Combo(dialog, CFontDlg::kSizeListId)->lineEdit();
    field->selectAll();
    QTest::keyClicks(field, text);
    QCoreApplication::sendPostedEvents();
}

int Points(int points)
{
    return PointSizeToHeight(ScreenDotsPerInchY(), points);
}
}

// The list is handed to the dialog, so that the cap holds however few
// families the machine has.
TEST(FontDlg, OffersTheFirst24ReportedFamiliesCutTo31CharactersAndSorted)
{
    TestEnvironment environment;
    CFontDlg dialog;
    for (int i = 30; i > 0; --i)
        dialog.m_reportedFamilies << QStringLiteral("%1amily %2").arg(i % 2 ? 'f' : 'F').arg(i) + QString(i == 29 ? 40 : 0, 'x');
    dialog.Create();
    QStringList expected = dialog.m_reportedFamilies.mid(0, CFontDlg::kMaxFamilies);
    expected[1].truncate(31);
    EXPECT_EQ(dialog.Families(), expected);
    std::sort(expected.begin(), expected.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList listed;
    for (int i = 0; i < Combo(dialog, CFontDlg::kFontListId)->count(); ++i)
        listed << Combo(dialog, CFontDlg::kFontListId)->itemText(i);
    EXPECT_EQ(listed, expected);
}

TEST(FontDlg, FieldsComeBackOnOkAndAnUnknownFaceGivesTheFirstFamily)
{
    TestEnvironment environment;
    CFontDlg dialog;
    dialog.m_strFaceName = QStringLiteral("No Such Face");
    dialog.m_nSize = 14;
    dialog.m_bItalic = 1;
    dialog.Create();
    const QString first = Combo(dialog, CFontDlg::kFontListId)->itemText(0);
    EXPECT_EQ(Combo(dialog, CFontDlg::kSizeListId)->currentText(), QStringLiteral("14"));
    TapItem(&dialog, CFontDlg::kUnderlineId);
    TapItem(&dialog, CFontDlg::kItalicId);
    TapItem(&dialog, IDOK);
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(dialog.m_strFaceName, first);
    EXPECT_EQ(dialog.m_nSize, 14);
    EXPECT_EQ(dialog.m_bItalic, 0);
    EXPECT_EQ(dialog.m_bUnderline, 1);
    EXPECT_EQ(dialog.m_bBold, 0);
    EXPECT_TRUE(dialog.SampleFont().IsNull());
}

TEST(FontDlg, TheSizeFieldUpdatesTheSampleWhileTypingAndFallsBackToNine)
{
    TestEnvironment environment;
    CFontDlg dialog;
    dialog.m_nSize = 1; // selects the first entry beginning with "1"
    dialog.Create();
    EXPECT_EQ(Combo(dialog, CFontDlg::kSizeListId)->currentText(), QStringLiteral("10"));
    EXPECT_EQ(dialog.SampleMetrics().lfHeight, Points(10));
    TypeSize(dialog, QStringLiteral("13"));
    EXPECT_EQ(dialog.SampleMetrics().lfHeight, Points(13));
    EXPECT_EQ(dialog.SampleFont().Description().lfHeight, Points(13));
    TypeSize(dialog, QStringLiteral("xy"));
    EXPECT_EQ(Combo(dialog, CFontDlg::kSizeListId)->currentText(), QStringLiteral("9"));
    EXPECT_EQ(dialog.SampleMetrics().lfHeight, Points(9));
    TypeSize(dialog, QStringLiteral("20"));
    Combo(dialog, CFontDlg::kSizeListId)->lineEdit()->selectAll();
    QTest::keyClick(Combo(dialog, CFontDlg::kSizeListId)->lineEdit(), Qt::Key_Delete);
    QCoreApplication::sendPostedEvents();
    // A blank field leaves the size as it was.
    EXPECT_EQ(dialog.SampleMetrics().lfHeight, Points(20));
    // A size no screen could show, or whose height would overflow, is no size.
    TypeSize(dialog, QStringLiteral("2147483647"));
    EXPECT_EQ(Combo(dialog, CFontDlg::kSizeListId)->currentText(), QStringLiteral("9"));
    TapItem(&dialog, IDOK);
    EXPECT_EQ(dialog.m_nSize, 9);
}

TEST(FontDlg, TheSampleFollowsTheFamilyOnThePostedMessageAndIsBoldAt700)
{
    TestEnvironment environment;
    CFontDlg dialog;
    dialog.Create();
    QComboBox *list = Combo(dialog, CFontDlg::kFontListId);
    ASSERT_GT(list->count(), 1);
    EXPECT_EQ(dialog.SampleFont().Description().lfWeight, 400);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.SampleFont().Description().lfFaceName, list->itemText(0));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog.SampleFont().Description().lfFaceName, list->itemText(1));
    TapItem(&dialog, CFontDlg::kBoldId);
    TapItem(&dialog, CFontDlg::kStrikeId);
    const LogFont &sample = dialog.SampleFont().Description();
    EXPECT_EQ(sample.lfWeight, 700);
    EXPECT_TRUE(sample.lfStrikeOut);
    EXPECT_FALSE(sample.lfItalic);
    // The pad font made later from the same choice is 600.
    PointFont pad;
    MakePointFont(pad, dialog.m_strFaceName, dialog.m_nSize, dialog.m_bBold, false, false, false, 0, 0);
    EXPECT_EQ(pad.Description().lfWeight, 600);
    EXPECT_EQ(pad.Description().lfHeight, sample.lfHeight);
}

TEST(FontDlg, DrawsTheSampleTextInsideItsFramedRectangle)
{
    TestEnvironment environment;
    CFontDlg dialog;
    dialog.Create();
    const QImage image = Snapshot(&dialog);
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

#include "dialogs/MultiLineCheckBox.h"
#include "dialogs/PropertySheet.h"
#include "keymaps/KeyMapFile.h"
#include "dialogs/HeaderFrame.h"
#include "prefs/AboutDlg.h"
#include "prefs/ActionPage.h"
#include "prefs/FontDlg.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "platform/PointFont.h"
#include "support/DialogDriver.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>

#include <algorithm>
#include <functional>

namespace {
const QColor kBlue(0, 0, 255);

// The room a control has for its text and what the text needs there; both
// empty for a control without text or showing a picture. A group box's title
// needs its place on the frame.
std::pair<QRect, QRect> RoomAndNeed(QWidget *control, const QString &text)
{
    QStyleOptionButton button;
    button.initFrom(control);
    int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    QRect room;
    if (auto *group = qobject_cast<QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = text;
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        return {group->rect(), group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group)};
    } else if (auto *box = dynamic_cast<MultiLineCheckBox *>(control)) {
        std::tie(room, flags) = std::pair(box->TextRect(), int(Qt::TextWordWrap));
    } else if (qobject_cast<QRadioButton *>(control) != nullptr) {
        room = control->style()->subElementRect(QStyle::SE_RadioButtonContents, &button, control);
    } else if (qobject_cast<QPushButton *>(control) != nullptr) {
        room = control->style()->subElementRect(QStyle::SE_PushButtonContents, &button, control);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
        room = label->pixmap().isNull() ? label->contentsRect() : QRect();
    }
    if (room.isEmpty() || text.isEmpty())
        return {};
    return {room, control->fontMetrics().boundingRect(room, flags | Qt::AlignLeft | Qt::AlignTop, text)};
}

// What of the window's controls is cut off or lies off the 240 x 320 screen.
QStringList Clipped(QWidget *window)
{
    QStringList faults;
    const QRect screen(0, 0, 240, 320);
    if (!screen.contains(QRect(QPoint(), window->size())))
        faults << QStringLiteral("the window is %1 x %2").arg(window->width()).arg(window->height());
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisibleTo(window) || control->parentWidget()->inherits("QComboBox"))
            continue;
        const auto *group = qobject_cast<const QGroupBox *>(control);
        const QString text = group != nullptr ? group->title() : control->property("text").toString();
        const QString name = QStringLiteral("\"%1\"").arg(text.isEmpty() ? QString::fromLatin1(control->metaObject()->className()) : text);
        if (!screen.contains(QRect(control->mapTo(window, QPoint()), control->size())))
            faults << name + QStringLiteral(" off the screen");
        const auto [room, need] = RoomAndNeed(control, text);
        if (!room.isEmpty() && !room.contains(need))
            faults << QStringLiteral("%1 needs %2 x %3 at %4,%5 in %6 x %7")
                          .arg(name).arg(need.width()).arg(need.height()).arg(need.x()).arg(need.y())
                          .arg(room.width()).arg(room.height());
    }
    if (auto *tabs = window->findChild<QTabBar *>())
        for (int i = 0; i < tabs->count(); ++i)
            if (!tabs->rect().contains(tabs->tabRect(i)))
                faults << QStringLiteral("tab \"%1\" runs past the tab bar").arg(tabs->tabText(i));
    return faults;
}

// The rule, the blue bold title inside its rectangle and Cancel at the top right.
void ExpectHeader(QWidget *dialog, const QString &title)
{
    SCOPED_TRACE(title.toStdString());
    constexpr int kRuleRow = 23;
    const QImage image = Snapshot(dialog);
    const int w = image.width();
    QRect blueInk;
    for (int y = 0; y <= kRuleRow; ++y)
        for (int x = 0; x < w; ++x) {
            if (y == kRuleRow)
                ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::black)) << "x " << x;
            else if (image.pixelColor(x, y) == kBlue && x < w - 52)
                blueInk |= QRect(x, y, 1, 1);
        }
    EXPECT_NE(image.pixelColor(w / 2, kRuleRow + 1), QColor(Qt::black));
    EXPECT_TRUE(blueInk.width() > 10 && QRect(QPoint(4, 5), QPoint(w - 71, 21)).contains(blueInk));
    auto *label = GetDlgItemAs<QLabel>(dialog, HeaderFrame::kStaticId);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text() == title && label->font().bold());
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL)->geometry(), QRect(w - 50, 2, 48, 20));
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL)->palette().color(QPalette::ButtonText), kBlue);
}
}

// Whatever face stands for Tahoma (Wine's, or DejaVu Sans without it), every
// dialog and page shows each of its texts whole and lies on the screen, and
// those with a header draw it.
TEST(DialogFit, EveryTextWholeEveryControlOnTheScreenAndEveryHeaderDrawn)
{
    TestEnvironment environment;
    const std::vector<std::pair<const char *, std::function<QStringList()>>> dialogs = {
        {"preferences",
         [] {
             CLookFeelPage lookFeel;
             CActionPage action;
             CKeyPrefsPage keys;
             CPropertySheet sheet(QStringLiteral("Preferences"));
             for (CPropertyPage *page : std::initializer_list<CPropertyPage *>{&lookFeel, &action, &keys})
                 sheet.AddPage(page);
             sheet.Create();
             EXPECT_TRUE(lookFeel.IsCreated() && !action.IsCreated()) << "pages are made when first shown";
             QStringList faults;
             const QString titles[] = {"Look & Feel", "Action", "Keys"};
             for (int page = 0; page < 3; ++page) {
                 ShowPage(sheet, page);
                 EXPECT_FALSE(page > 0 && sheet.GetPage(page - 1)->isVisible()) << "the page left is hidden";
                 ExpectHeader(sheet.GetActivePage(), titles[page]);
                 faults << Clipped(&sheet);
             }
             return faults; // the sheet goes before its pages
         }},
        {"font",
         [] {
             CFontDlg dialog;
             dialog.Create();
             ExpectHeader(&dialog, QStringLiteral("Font Dialog"));
             return Clipped(&dialog);
         }},
        {"about",
         [] {
             CAboutDlg dialog;
             dialog.Create();
             // The titles blue in the bold 14-point title font, beside the icon; OK closes it.
             const LogFont &title = dialog.TitleFont().Description();
             EXPECT_EQ(std::pair(title.lfWeight, title.lfHeight), std::pair(600, PointSizeToHeight(ScreenDotsPerInchY(), 14)));
             for (const int id : {CAboutDlg::kProductId, CAboutDlg::kSubtitleId})
                 EXPECT_TRUE(GetDlgItemAs<QLabel>(&dialog, id)->font() == dialog.TitleFont().Font() &&
                             TextColour(&dialog, id) == kBlue) << id;
             EXPECT_NE(TextColour(&dialog, CAboutDlg::kVersionId), kBlue);
             const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
             EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel *label) { return !label->pixmap().isNull(); }));
             const QStringList faults = Clipped(&dialog);
             TapItem(&dialog, IDOK);
             EXPECT_EQ(dialog.result(), IDOK);
             return faults;
         }},
        {"key map",
         [&environment] {
             KeyMap map = DefaultKeyMap();
             CKeyMapDlg dialog;
             dialog.m_bNewMode = true;
             dialog.m_strFolder = KeyMapsFolder(environment.ProgramFolder().toStdU16String());
             dialog.m_pKeyMap = &map;
             dialog.Create();
             return Clipped(&dialog);
         }},
    };
    for (const auto &[name, faults] : dialogs)
        EXPECT_EQ(faults().join(QLatin1Char('\n')).toStdString(), "") << name;
}

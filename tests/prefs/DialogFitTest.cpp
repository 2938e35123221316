#include "dialogs/MultiLineCheckBox.h"
#include "dialogs/PropertySheet.h"
#include "keymaps/KeyMapFile.h"
#include "prefs/AboutDlg.h"
#include "prefs/ActionPage.h"
#include "prefs/FontDlg.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "support/DialogDriver.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>

#include <functional>

namespace {
// Where a control draws its text, and how: empty when it has none.
QRect TextRoom(QWidget *control, int &flags)
{
    flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    QStyleOptionButton button;
    button.initFrom(control);
    if (auto *box = dynamic_cast<MultiLineCheckBox *>(control)) {
        flags = Qt::TextWordWrap;
        return box->TextRect();
    }
    if (qobject_cast<QRadioButton *>(control) != nullptr)
        return control->style()->subElementRect(QStyle::SE_RadioButtonContents, &button, control);
    if (qobject_cast<QPushButton *>(control) != nullptr)
        return control->style()->subElementRect(QStyle::SE_PushButtonContents, &button, control);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
        return label->pixmap().isNull() ? label->contentsRect() : QRect();
    }
    return {};
}

QString TextOf(const QWidget *control)
{
    if (auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title();
    return control->property("text").toString();
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
        const QString text = TextOf(control);
        const QString name = QStringLiteral("\"%1\"").arg(text.isEmpty() ? QString::fromLatin1(control->metaObject()->className()) : text);
        if (!screen.contains(QRect(control->mapTo(window, QPoint()), control->size())))
            faults << name + QStringLiteral(" off the screen");
        if (text.isEmpty())
            continue;
        int flags = 0;
        QRect room = TextRoom(control, flags);
        if (auto *group = qobject_cast<QGroupBox *>(control)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = text;
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            room = group->rect();
            if (!room.contains(group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group)))
                faults << name + QStringLiteral(" runs past its frame");
        }
        if (room.isEmpty() || qobject_cast<QGroupBox *>(control) != nullptr)
            continue;
        const QRect need = control->fontMetrics().boundingRect(room, flags | Qt::AlignLeft | Qt::AlignTop, text);
        if (need.width() > room.width() || need.height() > room.height())
            faults << QStringLiteral("%1 needs %2 x %3 in %4 x %5")
                          .arg(name).arg(need.width()).arg(need.height()).arg(room.width()).arg(room.height());
    }
    if (auto *tabs = window->findChild<QTabBar *>())
        for (int i = 0; i < tabs->count(); ++i)
            if (!tabs->rect().contains(tabs->tabRect(i)))
                faults << QStringLiteral("tab \"%1\" runs past the tab bar").arg(tabs->tabText(i));
    return faults;
}
}

// Whatever face stands for Tahoma (Wine's, or DejaVu Sans without it), every
// dialog and page shows each of its texts whole and lies on the screen.
TEST(DialogFit, EveryTextWholeAndEveryControlOnTheScreen)
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
             QStringList faults;
             for (int page = 0; page < 3; ++page) {
                 ShowPage(sheet, page);
                 faults << Clipped(&sheet);
             }
             return faults;
         }},
        {"font", [] { CFontDlg dialog; dialog.Create(); return Clipped(&dialog); }},
        {"about", [] { CAboutDlg dialog; dialog.Create(); return Clipped(&dialog); }},
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

#pragma once

#include "keymaps/KeyMapDlg.h"
#include "dialogs/DialogItems.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTabBar>
#include <QTimer>
#include <QTest>
#include <QWidget>

// Drives dialogs and pages as the user does: taps on controls found by their
// template ids, then lets the posted messages arrive.
inline void Tap(QWidget *control)
{
    // Near the left edge: on the box of a check or radio button, inside a push button.
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2));
    QCoreApplication::sendPostedEvents();
}

inline void TapItem(const QWidget *dialog, int id)
{
    Tap(GetDlgItem(dialog, id));
}

// Replaces a field's text key by key, as a keyboard with these characters on
// its keys types them, then lets the posted messages arrive.
inline void TypeText(QWidget *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(field, &press);
    }
    QCoreApplication::sendPostedEvents();
}

// Shows a page of a sheet by a tap on its tab.
template <typename Sheet>
void ShowPage(Sheet &sheet, int index)
{
    QTest::mouseClick(sheet.TabBar(), Qt::LeftButton, {}, sheet.TabBar()->tabRect(index).center());
}

// The key map cell of the q key.
constexpr int kCellQ = 26;

// The bytes of a key map that differs from the default at most in its q key.
inline QByteArray MapBytes(char16_t q)
{
    KeyMap map = DefaultKeyMap();
    map.m_chCells[kPlaneNormal][kCellQ] = q;
    return QByteArray(reinterpret_cast<const char *>(map.Bytes()), kKeyMapBytes);
}

inline QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Gives the running editor's q key the character and confirms under the name;
// returns the character the q key had before.
inline char16_t EditQAndConfirm(CKeyMapDlg &editor, char16_t q, const QString &name = {})
{
    const char16_t before = editor.m_pKeyMap->m_chCells[kPlaneNormal][kCellQ];
    QTest::mouseClick(&editor, Qt::LeftButton, {}, CKeyMapDlg::KeyRect(10).center());
    TypeText(GetDlgItem(&editor, CKeyMapDlg::kLetterId), QString(QChar(q)));
    if (editor.m_bNewMode)
        TypeText(GetDlgItem(&editor, CKeyMapDlg::kNameId), name);
    TapItem(&editor, IDOK);
    return before;
}

inline bool IsChecked(const QWidget *dialog, int id)
{
    return GetDlgItemAs<QAbstractButton>(dialog, id)->isChecked();
}

inline QStringList ComboEntries(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

inline QImage Snapshot(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor TextColour(const QWidget *dialog, int id)
{
    return GetDlgItem(dialog, id)->palette().color(QPalette::Active, QPalette::WindowText);
}

// Acts on the dialog that is about to run modally, once its loop has started
// (a caller's own delivery of posted messages may run this first: it then
// waits a round). A wrong dialog, none at all, or one the action leaves open
// fails the test and is closed, so that no loop waits for a user.
template <typename Dialog, typename Action>
void WhenModal(Action action, int roundsLeft = 100)
{
    QTimer::singleShot(0, [action, roundsLeft] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = dynamic_cast<Dialog *>(modal)) {
            action(*dialog);
            QTimer::singleShot(5000, dialog, [dialog] {
                if (dialog->isVisible()) {
                    ADD_FAILURE() << "the dialog stayed open";
                    dialog->close();
                }
            });
        } else if (modal == nullptr && roundsLeft > 0) {
            WhenModal<Dialog>(action, roundsLeft - 1);
        } else {
            ADD_FAILURE() << "the expected dialog is not running";
            if (modal != nullptr)
                modal->close();
        }
    });
}

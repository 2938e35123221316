#include "dialogs/DataExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>

void DdxCheck(bool save, QAbstractButton *box, int &value)
{
    if (save)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void DdxCheck(bool save, QAbstractButton *box, bool &value)
{
    if (save)
        value = box->isChecked();
    else
        box->setChecked(value);
}

void DdxRadio(bool save, QButtonGroup *group, int &value)
{
    if (save) {
        value = group->checkedId();
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(group->id(button) == value);
    group->setExclusive(true);
}

void DdxComboText(bool save, QComboBox *combo, QString &value)
{
    if (save) {
        value = combo->isEditable() ? combo->currentText()
                                    : (combo->currentIndex() >= 0 ? combo->itemText(combo->currentIndex()) : QString());
        return;
    }
    if (SelectString(combo, value) < 0 && combo->isEditable())
        combo->setEditText(value);
}

int SelectString(QComboBox *combo, const QString &text)
{
    // German.kmap beside german.kmap: the name as written is the one meant,
    // or confirming the sheet unchanged would switch to the other file.
    const int exact = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (exact >= 0 && !text.isEmpty()) {
        combo->setCurrentIndex(exact);
        return exact;
    }
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            combo->setCurrentIndex(i);
            return i;
        }
    }
    return -1;
}

void DdxText(bool save, QLineEdit *edit, QString &value)
{
    if (save)
        value = edit->text();
    else if (edit->text() != value)
        edit->setText(value);
}

void DdxListIndex(bool save, QComboBox *combo, int &value)
{
    if (save)
        value = combo->currentIndex();
    else
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

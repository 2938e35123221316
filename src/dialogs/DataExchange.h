#pragma once

#include <QString>

class QAbstractButton;
class QButtonGroup;
class QComboBox;

// Moves values between a dialog's fields and its controls: into the controls
// when save is false, back into the fields when it is true.

// A check box and a flag held as 0 or 1.
void DdxCheck(bool save, QAbstractButton *box, int &value);
void DdxCheck(bool save, QAbstractButton *box, bool &value);

// A radio group and the index of its checked button, -1 for none: a value
// outside the group checks no button and reads back as -1.
void DdxRadio(bool save, QButtonGroup *group, int &value);

// A combo box and its text. Into the control the entry that is the text
// exactly is selected, or else the first that begins with it (ignoring case); when none does, an editable box shows
// the text in its field and a plain list keeps its selection. Back from a
// plain list comes the selected entry, "" when none is selected.
void DdxComboText(bool save, QComboBox *combo, QString &value);

// Selects the entry that is the text exactly, or else the first entry that
// begins with the text, ignoring case, and gives its index, or -1 leaving the selection as it was.
int SelectString(QComboBox *combo, const QString &text);

class QLineEdit;

// An edit field and its text. Into the control only when the text differs,
// so that a field left as it is sets off no change notification.
void DdxText(bool save, QLineEdit *edit, QString &value);

// A list and the index of its selected entry, -1 for none.
void DdxListIndex(bool save, QComboBox *combo, int &value);

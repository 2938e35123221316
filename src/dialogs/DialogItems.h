#pragma once

#include <QColor>
#include <QString>

#include <initializer_list>

class QWidget;

// What a modal run returns, and the ids of the buttons that end it.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// The blue of the program's titles, labels and Cancel buttons.
inline const QColor kHeaderBlue(0, 0, 255);

// Controls of a dialog or page are found by their template id, as the
// handheld finds them.
void SetDlgCtrlID(QWidget *control, int id);
int GetDlgCtrlID(const QWidget *control);
QWidget *GetDlgItem(const QWidget *dialog, int id);

template <typename Control>
Control *GetDlgItemAs(const QWidget *dialog, int id)
{
    return dynamic_cast<Control *>(GetDlgItem(dialog, id));
}

// The control draws its text in the colour while enabled; disabled controls
// keep the greyed look.
void SetTextColour(QWidget *control, const QColor &colour);
void SetTextColour(const QWidget *dialog, std::initializer_list<int> ids, const QColor &colour);

// Template texts mark a mnemonic with "&" and a literal ampersand with "&&";
// the small screen shows no mnemonics, so this gives the text as it is read.
QString StaticText(const QString &templateText);

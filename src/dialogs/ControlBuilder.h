#pragma once

#include <QRect>
#include <QString>

class DialogUnits;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QWidget;

// Creates the controls of a dialog template on a dialog or page. Positions
// are given in dialog units (x, y, width, height); every control carries its
// template id. Controls are created in template order, which is also their
// order for tabbing and the order in which radio buttons form their group.
class ControlBuilder
{
public:
    ControlBuilder(QWidget *dialog, const DialogUnits &units);

    // Statics wrap words onto further lines, as the handheld's do.
    QLabel *Static(int id, const QString &text, const QRect &units, Qt::Alignment alignment = Qt::AlignLeft);
    QPushButton *Button(int id, const QString &text, const QRect &units);
    QCheckBox *CheckBox(int id, const QString &text, const QRect &units);
    QGroupBox *GroupBox(int id, const QString &text, const QRect &units);
    // A radio group: its buttons exclude each other and none need be checked.
    QButtonGroup *RadioGroup();
    QRadioButton *Radio(QButtonGroup *group, int id, const QString &text, const QRect &units);
    // A drop-down list, or with an edit field when editable; only the closed
    // height of the template matters here.
    QComboBox *ComboBox(int id, const QRect &units, bool editable);
    // A one-line edit field.
    QLineEdit *Edit(int id, const QRect &units);
    QSlider *Slider(int id, const QRect &units);
    // A control placed at the template position with its own size (icons).
    QLabel *Picture(const QRect &units);

private:
    template <typename Control>
    Control *Place(Control *control, int id, const QRect &units);

    QWidget *m_pDialog;
    const DialogUnits &m_units;
};

#include "dialogs/ControlBuilder.h"

#include "dialogs/DialogItems.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/MultiLineCheckBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

ControlBuilder::ControlBuilder(QWidget *dialog, const DialogUnits &units) : m_pDialog(dialog), m_units(units) {}

template <typename Control>
Control *ControlBuilder::Place(Control *control, int id, const QRect &units)
{
    SetDlgCtrlID(control, id);
    control->setGeometry(m_units.Rect(units));
    control->show();
    return control;
}

QLabel *ControlBuilder::Static(int id, const QString &text, const QRect &units, Qt::Alignment alignment)
{
    auto *label = new QLabel(StaticText(text), m_pDialog);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return Place(label, id, units);
}

QPushButton *ControlBuilder::Button(int id, const QString &text, const QRect &units)
{
    auto *button = new QPushButton(StaticText(text), m_pDialog);
    button->setAutoDefault(false);
    return Place(button, id, units);
}

QCheckBox *ControlBuilder::CheckBox(int id, const QString &text, const QRect &units)
{
    return Place(new MultiLineCheckBox(StaticText(text), m_pDialog), id, units);
}

QGroupBox *ControlBuilder::GroupBox(int id, const QString &text, const QRect &units)
{
    auto *box = new QGroupBox(StaticText(text), m_pDialog);
    // Only a frame: the buttons inside are the dialog's own, not the box's.
    box->setFocusPolicy(Qt::NoFocus);
    box->lower();
    return Place(box, id, units);
}

QButtonGroup *ControlBuilder::RadioGroup()
{
    return new QButtonGroup(m_pDialog);
}

QRadioButton *ControlBuilder::Radio(QButtonGroup *group, int id, const QString &text, const QRect &units)
{
    auto *button = new QRadioButton(StaticText(text), m_pDialog);
    button->setAutoExclusive(false);
    group->addButton(button, static_cast<int>(group->buttons().size()));
    return Place(button, id, units);
}

QComboBox *ControlBuilder::ComboBox(int id, const QRect &units, bool editable)
{
    auto *combo = new QComboBox(m_pDialog);
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert);
    return Place(combo, id, units);
}

QLineEdit *ControlBuilder::Edit(int id, const QRect &units)
{
    return Place(new QLineEdit(m_pDialog), id, units);
}

QSlider *ControlBuilder::Slider(int id, const QRect &units)
{
    auto *slider = new QSlider(Qt::Horizontal, m_pDialog);
    slider->setTickPosition(QSlider::NoTicks);
    return Place(slider, id, units);
}

QLabel *ControlBuilder::Picture(const QRect &units)
{
    auto *label = new QLabel(m_pDialog);
    label->move(m_units.Rect(units).topLeft());
    label->show();
    return label;
}

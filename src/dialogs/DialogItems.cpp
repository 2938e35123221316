#include "dialogs/DialogItems.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {
const char *const kIdProperty = "dialogControlId";
}

void SetDlgCtrlID(QWidget *control, int id)
{
    control->setProperty(kIdProperty, id);
}

int GetDlgCtrlID(const QWidget *control)
{
    const QVariant id = control->property(kIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget *GetDlgItem(const QWidget *dialog, int id)
{
    for (QWidget *child : dialog->findChildren<QWidget *>()) {
        if (GetDlgCtrlID(child) == id)
            return child;
    }
    return nullptr;
}

void SetTextColour(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
        palette.setColor(group, QPalette::Text, colour);
    }
    control->setPalette(palette);
}

void SetTextColour(const QWidget *dialog, std::initializer_list<int> ids, const QColor &colour)
{
    for (const int id : ids) {
        if (QWidget *control = GetDlgItem(dialog, id))
            SetTextColour(control, colour);
    }
}

QString StaticText(const QString &templateText)
{
    QString text;
    for (qsizetype i = 0; i < templateText.size(); ++i) {
        if (templateText[i] == QLatin1Char('&') && i + 1 < templateText.size())
            ++i;
        text += templateText[i];
    }
    return text;
}

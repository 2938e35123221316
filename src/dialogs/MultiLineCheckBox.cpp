#include "dialogs/MultiLineCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int kTextGap = 4;
}

QRect MultiLineCheckBox::IndicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int width = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    const int height = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
    return QRect(0, (this->height() - height) / 2, width, height);
}

QRect MultiLineCheckBox::TextRect() const
{
    const QRect indicator = IndicatorRect();
    return QRect(indicator.right() + 1 + kTextGap, 0, width() - indicator.width() - kTextGap, height());
}

void MultiLineCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = IndicatorRect();
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, option);
    painter.drawItemText(TextRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(), isEnabled(),
                         text(), QPalette::WindowText);
}

bool MultiLineCheckBox::hitButton(const QPoint &position) const
{
    return rect().contains(position);
}

#include "dialogs/DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(double points)
{
    MakePointFont(m_font, QStringLiteral("Tahoma"), points, false, false, false, false, 0, 0);
    const QFontMetrics metrics(m_font.Font());
    // As the handheld's dialog manager counts it: the mean width of the 52
    // letters, rounded, not the face's declared average (Wine's Tahoma
    // declares one wider than its letters).
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = qMax(1, (letters / 26 + 1) / 2);
    m_nBaseY = qMax(1, metrics.height());
}

QRect DialogUnits::Rect(const QRect &units) const
{
    const int left = X(units.x());
    const int top = Y(units.y());
    const int right = X(units.x() + units.width());
    const int bottom = Y(units.y() + units.height());
    return QRect(left, top, right - left, bottom - top);
}

QSize DialogUnits::Size(const QSize &units) const
{
    return QSize(X(units.width()), Y(units.height()));
}

#include "platform/TextDraw.h"

#include "app/PointFont.h"

#include <QFontMetrics>
#include <QPainter>

void ExtTextOut(QPainter &painter, int x, int y, const PointFont &font, const QString &text)
{
    painter.save();
    painter.setFont(font.Font());
    painter.translate(x, y);
    // Escapement counts counter-clockwise in tenths of a degree; Qt's angle
    // runs clockwise on a screen whose y axis points down.
    painter.rotate(-font.Escapement() / 10.0);
    painter.drawText(0, QFontMetrics(font.Font()).ascent(), text);
    painter.restore();
}

int DrawTextFlags(QPainter &painter, QRect &rect, const QString &text, unsigned flags)
{
    int qtFlags = 0;
    if (flags & DT_CENTER)
        qtFlags |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        qtFlags |= Qt::AlignRight;
    else
        qtFlags |= Qt::AlignLeft;
    if (flags & DT_SINGLELINE) {
        qtFlags |= Qt::TextSingleLine;
        if (flags & DT_VCENTER)
            qtFlags |= Qt::AlignVCenter;
        else if (flags & DT_BOTTOM)
            qtFlags |= Qt::AlignBottom;
        else
            qtFlags |= Qt::AlignTop;
    } else {
        qtFlags |= Qt::AlignTop;
    }
    if (flags & DT_WORDBREAK)
        qtFlags |= Qt::TextWordWrap;
    if (flags & DT_EXPANDTABS)
        qtFlags |= Qt::TextExpandTabs;
    if (flags & DT_NOCLIP)
        qtFlags |= Qt::TextDontClip;

    const QFontMetrics metrics(painter.font());
    if (flags & DT_CALCRECT) {
        const QRect bounds = metrics.boundingRect(QRect(rect.left(), rect.top(), rect.width(), 1 << 20),
                                                  qtFlags & ~Qt::AlignVCenter, text);
        const int height = text.isEmpty() ? metrics.height() : bounds.height();
        const int width = (flags & DT_WORDBREAK) ? rect.width() : bounds.width();
        rect.setWidth(width);
        rect.setHeight(height);
        return height;
    }
    QRect drawn;
    painter.drawText(rect, qtFlags, text, &drawn);
    return drawn.height();
}

int TextWidth(const PointFont &font, const QString &text)
{
    return QFontMetrics(font.Font()).horizontalAdvance(text);
}

#pragma once

#include "platform/PointFont.h"

#include <QRect>
#include <QSize>

// Dialog templates are laid out in dialog units of their font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height. This turns them into pixels as the handheld does, so
// that the same template fits the 240 x 320 screen whatever face stands in for
// Tahoma here.
class DialogUnits
{
public:
    // The dialog font: Tahoma at the given size in points.
    explicit DialogUnits(double points);

    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }
    int X(int units) const { return units * m_nBaseX / 4; }
    int Y(int units) const { return units * m_nBaseY / 8; }
    // A rectangle given as x, y, width, height in units; its edges are
    // converted one by one, as the handheld maps a dialog rectangle.
    QRect Rect(const QRect &units) const;
    QSize Size(const QSize &units) const;
    const PointFont &Font() const { return m_font; }

private:
    PointFont m_font;
    int m_nBaseX;
    int m_nBaseY;
};

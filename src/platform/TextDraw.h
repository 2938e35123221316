#pragma once

#include <QRect>
#include <QString>


class PointFont;
class QFont;
class QPainter;

// The handheld's DrawText flag values; the program passes them as they are.
enum DrawTextFlag : unsigned {
    DT_LEFT = 0x0000,
    DT_CENTER = 0x0001,
    DT_RIGHT = 0x0002,
    DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008,
    DT_WORDBREAK = 0x0010,
    DT_SINGLELINE = 0x0020,
    DT_EXPANDTABS = 0x0040,
    DT_NOCLIP = 0x0100,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
};

// Draws text with the font at (x, y), the top-left corner of the text cell in
// the font's own frame: with escapement 900 the text reads upwards from
// (x, y) and its cell lies to the right of x; with 2700 it reads downwards and
// its cell lies to the left of x.
void ExtTextOut(QPainter &painter, int x, int y, const PointFont &font, const QString &text);

// Draws (or with DT_CALCRECT only measures) text in the rectangle as the
// handheld's DrawText does for the flags above, in the painter's current
// font, pen and frame. Returns the height of the text drawn; with DT_CALCRECT
// the rectangle's right and bottom are set to the text's extent. Without
// DT_SINGLELINE every line is one font height high, paragraphs end at CR LF,
// CR or LF, and a text measures or draws as its paragraphs stacked: the
// height of a text is the sum of the heights of its paragraphs.
int DrawTextFlags(QPainter &painter, QRect &rect, const QString &text, unsigned flags);

// Width of the text in the font, unrotated.
int TextWidth(const PointFont &font, const QString &text);

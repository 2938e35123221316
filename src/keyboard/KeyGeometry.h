#pragma once

#include "keyboard/KeyCode.h"

// Where the keys lie on the 240 x 320 portrait screen. The user holds the
// device sideways: in the right-handed frame the window's x axis runs down
// the landscape board (x = 0 is its top edge) and the board's columns run
// from y = 319 (column 0) up to y = 0 (column 9). Left-handed use turns the
// whole board by 180 degrees. Pure arithmetic: no drawing here.

// A rectangle in window pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Intersects(const Rect &other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool operator==(const Rect &other) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point &other) const = default;
};

// The setting "Key Layout".
inline constexpr int KL_FLAT = 0;
inline constexpr int KL_CREST = 1;
inline constexpr int KL_TROUGH = 2;

// The layout actually drawn and tapped: any value but Crest and Trough is
// taken as Flat, so no stored value leaves keys without a place.
int EffectiveKeyLayout(int keyLayout);

// The 180-degree turn of left-handed use: (l, t, r, b) becomes
// (239 - r, 319 - b, 239 - l, 319 - t).
Rect MirrorRect(const Rect &rect);

// The rectangle of a key: its code decides the special shapes (line-list
// key, space bar, Enter), its slot the row and column.
Rect GetKeyRect(KeyCode code, int slot, int keyLayout, bool rightHanded);

// The slot under a point of the right-handed frame, or -1 for a point
// outside the 240 x 320 window. Only a 15-pixel band of the line-list slot
// answers as that key; the rest of it counts as the pad slot beside it.
int HitTestKey(Point point, int keyLayout);

// The row offset of a column in Crest and Trough (0 in Flat): how far the
// key cells of that column sit below the row's start.
int ColumnOffset(int keyLayout, int column);

// Top-left corner that centres a w x h image in the cell (truncating).
Point CentredImageOrigin(const Rect &cell, int width, int height);

// Reference point of a key label with extent cx along the text and height cy,
// centred in the cell: the top-left corner of the text in its rotated frame.
Point LabelOrigin(const Rect &cell, int cx, int cy, bool rightHanded);

// Where the watermark's text starts for a layout and direction.
Point WatermarkOrigin(int keyLayout, bool rightHanded);

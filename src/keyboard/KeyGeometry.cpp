#include "keyboard/KeyGeometry.h"

#include <algorithm>

namespace {
constexpr int kScreenRight = 239;
constexpr int kScreenBottom = 319;
constexpr int kColumnWidth = 32;
constexpr int kStripHeight = 30;
constexpr int kRowsLeft = 210; // where the bottom strip starts

Rect CharacterRowRect(KeyCode code, int row, int column, int y1, int y2, int keyLayout)
{
    if (keyLayout == KL_FLAT) {
        if (code == KC_ENTER)
            return {120, 0, 210, 32};
        return {45 * row - 15, y1, 45 * row + 30, y2};
    }
    const int f = ColumnOffset(keyLayout, column);
    if (code == KC_ENTER)
        return {f + 110, 0, f + 190, 32};
    return {40 * row - 10 + f, y1, 40 * row + 30 + f, y2};
}

Rect RightHandedKeyRect(KeyCode code, int slot, int keyLayout)
{
    const int row = slot / kKeySlotColumns;
    const int column = slot % kKeySlotColumns;
    const int y1 = (9 - column) * kColumnWidth;
    const int y2 = (10 - column) * kColumnWidth;
    if (code == KC_LINE_LIST)
        return {0, 32, kStripHeight, 48};
    if (row == 0)
        return {0, y1, kStripHeight, y2};
    if (code == KC_SPACE)
        return {kRowsLeft, 128, 240, 192};
    if (row == 5)
        return {kRowsLeft, y1, 240, y2};
    return CharacterRowRect(code, row, column, y1, y2, EffectiveKeyLayout(keyLayout));
}
}

int EffectiveKeyLayout(int keyLayout)
{
    return keyLayout == KL_CREST || keyLayout == KL_TROUGH ? keyLayout : KL_FLAT;
}

Rect MirrorRect(const Rect &rect)
{
    return {kScreenRight - rect.right, kScreenBottom - rect.bottom, kScreenRight - rect.left,
            kScreenBottom - rect.top};
}

int ColumnOffset(int keyLayout, int column)
{
    switch (EffectiveKeyLayout(keyLayout)) {
    case KL_CREST:
        return column < 5 ? 5 * (4 - column) : 5 * (column - 5);
    case KL_TROUGH:
        return column < 5 ? 5 * column : 5 * (9 - column);
    default:
        return 0;
    }
}

Rect GetKeyRect(KeyCode code, int slot, int keyLayout, bool rightHanded)
{
    const Rect rect = RightHandedKeyRect(code, slot, keyLayout);
    return rightHanded ? rect : MirrorRect(rect);
}

int HitTestKey(Point point, int keyLayout)
{
    if (point.x < 0 || point.x > kScreenRight || point.y < 0 || point.y > kScreenBottom)
        return -1;
    const int column = 9 - point.y / kColumnWidth;
    if (point.x < kStripHeight) {
        const bool inLineListBand = point.y > 32 && point.y < 48;
        return column == 8 && !inLineListBand ? 7 : column;
    }
    if (point.x > kRowsLeft)
        return 59 - point.y / kColumnWidth;
    const int layout = EffectiveKeyLayout(keyLayout);
    if (layout == KL_FLAT)
        return ((point.x - 30) / 45) * 10 - point.y / kColumnWidth + 19;
    // Rows are 40 pixels deep, shifted by the column's offset; the last
    // row reaches to the bottom strip.
    const int row = std::min((point.x - ColumnOffset(layout, column) - 30) / 40 + 1, 4);
    return 10 * row + column;
}

Point CentredImageOrigin(const Rect &cell, int width, int height)
{
    return {cell.left + (cell.right - width - cell.left) / 2, cell.top + (cell.bottom - height - cell.top) / 2};
}

Point LabelOrigin(const Rect &cell, int cx, int cy, bool rightHanded)
{
    if (rightHanded)
        return {cell.left + (cell.right - cy - cell.left) / 2, cell.bottom - (cell.bottom - cell.top - cx) / 2};
    return {cell.right - (cell.right - cy - cell.left) / 2, cell.top + (cell.bottom - cell.top - cx) / 2};
}

Point WatermarkOrigin(int keyLayout, bool rightHanded)
{
    Point point;
    switch (EffectiveKeyLayout(keyLayout)) {
    case KL_CREST:
        point = {195, 178};
        break;
    case KL_TROUGH:
        point = {32, 178};
        break;
    default:
        point = {200, 35};
        break;
    }
    if (!rightHanded)
        point = {kScreenRight - point.x, kScreenBottom - point.y};
    return point;
}

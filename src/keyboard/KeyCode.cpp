#include "keyboard/KeyCode.h"

namespace {
// Row by row; the character rows place the alphabetically ordered cells
// (digits, then "a".."z", comma, period) on a QWERTY block.
constexpr KeyCode kSlotTable[kKeySlotCount] = {
    KC_DELETE, KC_PAD, KC_PAD, KC_PAD, KC_PAD, KC_PAD, KC_PAD, KC_PAD, KC_LINE_LIST, KC_BACKSPACE,
    50, 51, 52, 53, 54, 55, 56, 57, 58, 59,
    76, 82, 64, 77, 79, 84, 80, 68, 74, 75,
    60, 78, 63, 65, 66, 67, 69, 70, 71, KC_ENTER,
    85, 83, 62, 81, 61, 73, 72, 86, 87, KC_ENTER,
    KC_MENU, KC_TAB, KC_SHIFT, KC_LEFT, KC_SPACE, KC_SPACE, KC_RIGHT, KC_CAPS, KC_PUNCT, KC_UMLAUT,
};
}

KeyCode KeyCodeOfIndex(int index)
{
    if (index < 0 || index >= kKeySlotCount)
        return KC_NONE;
    return kSlotTable[index];
}

bool IsCharacterKey(KeyCode code)
{
    return code >= KC_CHAR_BASE && code <= KC_TAB;
}

bool KeyHasLabel(KeyCode code)
{
    return code >= KC_CHAR_BASE && code < KC_SPACE;
}

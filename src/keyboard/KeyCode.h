#pragma once

// What each of the board's 60 key slots does. The slots form a grid of 6 rows
// by 10 columns as the user sees the landscape board (row 0 at the top,
// column 0 at the left); slot index = row * 10 + column. Geometry and drawing
// live elsewhere; this only names the keys.

using KeyCode = int;

inline constexpr KeyCode KC_NONE = 0;
inline constexpr KeyCode KC_PAD = 1;
inline constexpr KeyCode KC_DELETE = 2;
inline constexpr KeyCode KC_BACKSPACE = 3;
inline constexpr KeyCode KC_LINE_LIST = 6;
inline constexpr KeyCode KC_PUNCT = 7;
inline constexpr KeyCode KC_CAPS = 8;
inline constexpr KeyCode KC_SHIFT = 9;
inline constexpr KeyCode KC_UMLAUT = 10;
inline constexpr KeyCode KC_LEFT = 13;
inline constexpr KeyCode KC_RIGHT = 14;
inline constexpr KeyCode KC_ENTER = 18;
inline constexpr KeyCode KC_MENU = 19;
// Character keys: KC_CHAR_BASE + key map cell, for cells 0..39.
inline constexpr KeyCode KC_CHAR_BASE = 50;
inline constexpr KeyCode KC_SPACE = 88;
inline constexpr KeyCode KC_TAB = 89;

inline constexpr int kKeySlotCount = 60;
inline constexpr int kKeySlotColumns = 10;

// The code of a slot; KC_NONE for any index outside 0..59. Enter and the
// space bar each cover two slots and have the same code in both.
KeyCode KeyCodeOfIndex(int index);

// True for the codes that type a key map cell (50..89).
bool IsCharacterKey(KeyCode code);

// True for the codes whose key face shows its character (50..87). The space
// bar, the tab key and the special keys have their look in the skin instead.
bool KeyHasLabel(KeyCode code);

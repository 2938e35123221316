#pragma once

#include "keyboard/KeyCode.h"

#include <cstddef>
#include <optional>

inline constexpr int kKeyMapPlanes = 5;
inline constexpr int kKeyMapCells = 40;
inline constexpr std::size_t kKeyMapBytes = kKeyMapPlanes * kKeyMapCells * sizeof(char16_t);

// The planes, in storage order.
inline constexpr int kPlaneNormal = 0;
inline constexpr int kPlaneShift = 1;
inline constexpr int kPlanePunct = 2;
inline constexpr int kPlaneUmlaut = 3;
inline constexpr int kPlaneUmlautShift = 4;

// The character of every character key in each of the five planes: 5 planes
// of 40 UTF-16 code units, one plane after the other. In memory it is exactly
// the 400 bytes of a .kmap file (code units little-endian), so a file is read
// straight into Bytes(). Any value may stand in a cell; nothing is checked.
struct KeyMap {
    char16_t m_chCells[kKeyMapPlanes][kKeyMapCells] = {};

    // The first cell of a plane, or nullptr for a plane outside 0..4. The
    // keyboard window keeps these pointers across reloads, so a reload must
    // overwrite the cells in place rather than replace the object's storage.
    char16_t *Plane(int plane);
    const char16_t *Plane(int plane) const;

    unsigned char *Bytes();
    const unsigned char *Bytes() const;

    bool operator==(const KeyMap &other) const;
};

// The map built into the program; used when the setting names it and whenever
// a key map file cannot be read.
const KeyMap &DefaultKeyMap();

// The plane the modifier flags select. Punctuation wins over everything;
// otherwise exactly one of Shift and Caps gives upper case, and Umlaut picks
// the accented plane of that case.
int SelectPlane(bool shift, bool caps, bool punct, bool umlaut);

// What a key types in a plane and shows as its label: the plane's cell
// code - 50 for codes 50..89, nothing for any other code.
std::optional<char16_t> KeyCharacter(const char16_t *plane, KeyCode code);

#pragma once

#include "keyboard/KeyMap.h"

#include <QStringList>

// What makes a key map type oddly although the program loads it: control
// characters other than tab, a character on two keys of one plane, and an
// upper-case plane (Shift/Caps, Umlaut + Shift) that lacks the capital of a
// letter of its lower-case plane (Normal, Umlaut) on the same key. One line
// per finding; empty for a map without them.
QStringList CheckKeyMap(const KeyMap &map);

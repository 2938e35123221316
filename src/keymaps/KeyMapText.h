#pragma once

#include "keyboard/KeyMap.h"

#include <string>
#include <string_view>

// The readable form of a key map: UTF-8 text with one line per plane and
// cell, "<plane> <cell> U+<code> [<character>]", for example
//   shift        10  U+0041  A
// Lines starting with '#' and blank lines are comments. The code point is
// what counts; the character after it is there for reading and, when given,
// must be that very code point. Every one of the 200 lines must be there
// exactly once, in any order, so any 400 bytes come back unchanged, lone
// surrogates included. Nothing here throws.

// The plane names of the text form, in plane order.
std::string_view KeyMapPlaneName(int plane);

// The whole text, with a header that explains the columns.
std::string KeyMapToText(const KeyMap &map);

struct KeyMapTextResult {
    bool m_bOk = false;
    // What is wrong, "line 12: ..." where a line is to blame.
    std::string m_strError;
};

// Reads the text into map; map is left as it was unless the whole text is
// good.
KeyMapTextResult KeyMapFromText(std::string_view text, KeyMap &map);

#pragma once

#include <cstdint>
#include <string_view>

// Reads text as a hexadecimal number: digits 0-9, A-F and a-f only, with no
// blanks, sign or "0x". An empty text is 0. The value is the sum modulo 2^32,
// so however long the text, the last eight digits decide it. On a character
// that is not a digit the result is false and the value holds the digits to
// its right.
bool ParseHexNumber(std::u16string_view text, std::uint32_t &value);

// The key map editor's hexadecimal parser, on any text: the text is the input
// read as UTF-16 little-endian code units. Validity and value are worked out
// here afresh, from the left with Horner's rule where the parser sums from the
// right: valid when every character is 0-9, A-F or a-f; the value is the
// number the digits after the last other character make, modulo 2^32.

#include "FuzzCheck.h"

#include "keymaps/HexNumber.h"

#include <cstdint>
#include <string>

namespace {
bool IsHexDigit(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f');
}

std::uint32_t DigitValue(char16_t ch)
{
    if (ch <= u'9')
        return ch - u'0';
    return (ch | 0x20) - u'a' + 10;
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += char16_t(data[i] | data[i + 1] << 8);

    bool bExpectedValid = true;
    std::uint64_t nExpected = 0;
    for (const char16_t ch : text) {
        if (IsHexDigit(ch)) {
            nExpected = (nExpected * 16 + DigitValue(ch)) & 0xFFFFFFFFu;
        } else {
            bExpectedValid = false;
            nExpected = 0;
        }
    }
    std::uint32_t value = 0xDEADBEEF;
    const bool bValid = ParseHexNumber(text, value);
    FuzzCheck(bValid == bExpectedValid, "valid exactly when every character is a hexadecimal digit");
    FuzzCheck(value == nExpected, "the value of the digits after the last other character, modulo 2^32");
    return 0;
}

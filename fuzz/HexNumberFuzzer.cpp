// The key map editor's hexadecimal parser, on any text: the text is the input
// read as UTF-16 little-endian code units. Validity and value are worked out
// here afresh, from the left with Horner's rule where the parser sums from the
// right: valid when every character is 0-9, A-F or a-f; the value is the
// number the digits after the last other character make, modulo 2^32.

#include "FuzzCheck.h"

#include "keymaps/HexNumber.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += char16_t(data[i] | data[i + 1] << 8);
    constexpr std::u16string_view kDigits = u"0123456789abcdef";
    bool bExpectedValid = true;
    std::uint32_t nExpected = 0;
    for (const char16_t ch : text) {
        const std::size_t nDigit = kDigits.find(ch >= u'A' && ch <= u'F' ? char16_t(ch + 0x20) : ch);
        bExpectedValid = bExpectedValid && nDigit != kDigits.npos;
        nExpected = nDigit == kDigits.npos ? 0 : nExpected * 16 + std::uint32_t(nDigit);
    }
    std::uint32_t value = 0xDEADBEEF;
    FuzzCheck(ParseHexNumber(text, value) == bExpectedValid,
              "valid exactly when every character is a hexadecimal digit");
    FuzzCheck(value == nExpected, "the value of the digits after the last other character, modulo 2^32");
    return 0;
}

#include "keymaps/HexNumber.h"

namespace {
constexpr int kBitsPerDigit = 4;
constexpr std::size_t kDigitsInValue = 8;

int HexDigitValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    return -1;
}
}

bool ParseHexNumber(std::u16string_view text, std::uint32_t &value)
{
    value = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const int digit = HexDigitValue(text[text.size() - 1 - k]);
        if (digit < 0)
            return false;
        // Digits beyond the eighth from the right are multiples of 2^32.
        if (k < kDigitsInValue)
            value += static_cast<std::uint32_t>(digit) << (kBitsPerDigit * k);
    }
    return true;
}

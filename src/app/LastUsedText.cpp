#include "app/LastUsedText.h"

namespace {
constexpr unsigned char kMarkLow = 0xFF;
constexpr unsigned char kMarkHigh = 0xFE;

bool StartsWithMark(std::string_view bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == kMarkLow &&
           static_cast<unsigned char>(bytes[1]) == kMarkHigh;
}
}

std::u16string DecodeLastUsedText(std::string_view bytes)
{
    if (StartsWithMark(bytes))
        bytes.remove_prefix(2);
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(low | (high << 8));
    }
    return text;
}

std::string EncodeLastUsedText(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(2 + 2 * text.size());
    bytes.push_back(static_cast<char>(kMarkLow));
    bytes.push_back(static_cast<char>(kMarkHigh));
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

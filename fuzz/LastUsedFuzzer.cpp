// LastUsed.txt as the program decodes it: whatever the bytes, the text holds
// every whole code unit after an optional byte-order mark, unchanged, and
// writing it out again gives those same bytes behind the mark.

#include "FuzzCheck.h"

#include "app/LastUsedText.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::u16string text = DecodeLastUsedText(bytes);

    const bool bMark = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    std::string_view body = bytes.substr(bMark ? 2 : 0);
    body = body.substr(0, body.size() - body.size() % 2);
    FuzzCheck(text.size() * 2 == body.size(), "one code unit per whole pair of bytes");
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto low = static_cast<std::uint8_t>(body[2 * i]);
        const auto high = static_cast<std::uint8_t>(body[2 * i + 1]);
        FuzzCheck(text[i] == char16_t(low + 256 * high), "code units are little-endian and unchanged");
    }
    FuzzCheck(EncodeLastUsedText(text) == std::string("\xFF\xFE") + std::string(body),
              "written again it is the mark and the same units");
    return 0;
}

#pragma once

#include <string>
#include <string_view>

// The byte format of LastUsed.txt (also what "Save As..." writes): the
// byte-order mark 0xFF 0xFE, then UTF-16 little-endian code units, with no
// terminator. Only the bytes; opening and writing the file is the caller's.

// The text held by the bytes of a file. A leading byte-order mark is skipped;
// bytes without one are text from the first byte (older or foreign files). A
// trailing odd byte is dropped. Every code unit comes through unchanged,
// unpaired surrogates and NUL included.
std::u16string DecodeLastUsedText(std::string_view bytes);

// The file's bytes for a text.
std::string EncodeLastUsedText(std::u16string_view text);

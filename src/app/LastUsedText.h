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

// How a file opened from the File menu was written, so that saving it again
// writes it the same way: the last-use format above, UTF-16 big-endian behind
// its mark FE FF, UTF-8 (with or without the mark EF BB BF) or the one-byte
// Windows code page 1252 of older Windows programs; all but the first may
// break lines with lone LFs.
enum class TextEncoding { Utf16, Utf16BigEndian, Utf8, Utf8WithMark, Ansi };

struct TextFileFormat {
    TextEncoding m_encoding = TextEncoding::Utf16;
    bool m_bLfBreaks = false;
    bool operator==(const TextFileFormat &) const = default;
};

// The text of an opened file and its format. Bytes that start with FE FF are
// UTF-16 big-endian (a trailing odd byte dropped). Bytes that do not start
// with FF FE and hold no NUL are UTF-8 when they are valid UTF-8 and code
// page 1252 otherwise, one character a byte. The text then has CR LF breaks,
// as the notepad does. All other bytes are the last-use format.
std::u16string DecodeTextFile(std::string_view bytes, TextFileFormat &format);

// The bytes of a text in a format. A text that code page 1252 cannot hold is
// written as UTF-8, and one that UTF-8 cannot hold whole (an unpaired
// surrogate or a NUL) in the last-use format instead.
std::string EncodeTextFile(std::u16string_view text, const TextFileFormat &format);

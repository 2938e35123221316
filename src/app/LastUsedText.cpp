#include "app/LastUsedText.h"

#include "pad/SurrogatePair.h"

#include <algorithm>

namespace {
constexpr unsigned char kMarkLow = 0xFF;
constexpr unsigned char kMarkHigh = 0xFE;

bool StartsWithMark(std::string_view bytes, bool bBigEndian = false)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[bBigEndian ? 1 : 0]) == kMarkLow &&
           static_cast<unsigned char>(bytes[bBigEndian ? 0 : 1]) == kMarkHigh;
}

// The whole code units after an optional mark, little- or big-endian; a
// trailing odd byte is no character.
std::u16string DecodeUnits(std::string_view bytes, bool bBigEndian)
{
    if (StartsWithMark(bytes, bBigEndian))
        bytes.remove_prefix(2);
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i + (bBigEndian ? 1 : 0)]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + (bBigEndian ? 0 : 1)]);
        text[i] = static_cast<char16_t>(low | (high << 8));
    }
    return text;
}

std::string EncodeUnits(std::u16string_view text, bool bBigEndian)
{
    std::string bytes;
    bytes.reserve(2 + 2 * text.size());
    const auto append = [&bytes, bBigEndian](char16_t unit) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes.push_back(bBigEndian ? high : low);
        bytes.push_back(bBigEndian ? low : high);
    };
    append(static_cast<char16_t>(kMarkHigh << 8 | kMarkLow));
    for (const char16_t unit : text)
        append(unit);
    return bytes;
}
}

std::u16string DecodeLastUsedText(std::string_view bytes)
{
    return DecodeUnits(bytes, false);
}

std::string EncodeLastUsedText(std::u16string_view text)
{
    return EncodeUnits(text, false);
}

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the sequence that starts with this byte and the lowest and
// highest second byte it allows (no overlong forms, no surrogates, nothing
// beyond U+10FFFF); 0 for a byte that starts none.
int SequenceLength(unsigned char lead, unsigned char &lowest, unsigned char &highest)
{
    lowest = 0x80;
    highest = 0xBF;
    if (lead >= 0x01 && lead <= 0x7F)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF) {
        lowest = lead == 0xE0 ? 0xA0 : 0x80;
        highest = lead == 0xED ? 0x9F : 0xBF;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        lowest = lead == 0xF0 ? 0x90 : 0x80;
        highest = lead == 0xF4 ? 0x8F : 0xBF;
        return 4;
    }
    return 0;
}

void AppendCodePoint(std::u16string &text, char32_t point)
{
    if (point < 0x10000) {
        text += static_cast<char16_t>(point);
        return;
    }
    point -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (point >> 10));
    text += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
}

bool DecodeUtf8(std::string_view bytes, std::u16string &text)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        unsigned char lowest = 0, highest = 0;
        const int length = SequenceLength(lead, lowest, highest);
        if (length == 0 || bytes.size() - i < static_cast<std::size_t>(length))
            return false;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(bytes[i + k]);
            if (!IsContinuation(byte) || (k == 1 && (byte < lowest || byte > highest)))
                return false;
            point = point << 6 | (byte & 0x3F);
        }
        AppendCodePoint(text, point);
        i += static_cast<std::size_t>(length);
    }
    return true;
}

bool EncodeUtf8(std::u16string_view text, std::string &bytes)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (point == 0 || IsLowSurrogate(point))
            return false;
        if (IsHighSurrogate(point)) {
            if (i + 1 >= text.size() || !IsLowSurrogate(text[i + 1]))
                return false;
            point = PairedCodePoint(point, text[++i]);
        }
        if (point < 0x80) {
            bytes += static_cast<char>(point);
            continue;
        }
        const int length = point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
        bytes += static_cast<char>((0xF00 >> length) | (point >> (6 * (length - 1))));
        for (int k = length - 2; k >= 0; --k)
            bytes += static_cast<char>(0x80 | ((point >> (6 * k)) & 0x3F));
    }
    return true;
}

// The notepad breaks lines with CR LF; a file that used lone LFs gets them back.
std::u16string WithCrLf(std::u16string text, bool &bLfBreaks)
{
    bLfBreaks = text.find(u'\n') != std::u16string::npos && text.find(u'\r') == std::u16string::npos;
    if (!bLfBreaks)
        return text;
    std::u16string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')));
    for (const char16_t unit : text) {
        if (unit == u'\n')
            out += u'\r';
        out += unit;
    }
    return out;
}

// Code page 1252 as browsers read it: every byte is one character, the five
// bytes the code page leaves out stand for the control characters of their
// value, so that any bytes come back unchanged.
constexpr char16_t kAnsiHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string DecodeAnsi(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(), [](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        return value >= 0x80 && value < 0xA0 ? kAnsiHigh[value - 0x80] : static_cast<char16_t>(value);
    });
    return text;
}

bool EncodeAnsi(std::u16string_view text, std::string &bytes)
{
    for (const char16_t unit : text) {
        if (unit == 0)
            return false;
        const char16_t *high = std::find(std::begin(kAnsiHigh), std::end(kAnsiHigh), unit);
        if (high != std::end(kAnsiHigh))
            bytes += static_cast<char>(0x80 + (high - std::begin(kAnsiHigh)));
        else if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
            bytes += static_cast<char>(unit);
        else
            return false;
    }
    return true;
}

std::u16string WithLf(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n'))
            out += text[i];
    }
    return out;
}
}

std::u16string DecodeTextFile(std::string_view bytes, TextFileFormat &format)
{
    format = TextFileFormat();
    if (StartsWithMark(bytes))
        return DecodeLastUsedText(bytes);
    if (StartsWithMark(bytes, true)) {
        format.m_encoding = TextEncoding::Utf16BigEndian;
        return WithCrLf(DecodeUnits(bytes, true), format.m_bLfBreaks);
    }
    const bool bMark = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    std::u16string text;
    if (DecodeUtf8(bMark ? bytes.substr(kUtf8Mark.size()) : bytes, text)) {
        format.m_encoding = bMark ? TextEncoding::Utf8WithMark : TextEncoding::Utf8;
    } else if (bytes.find('\0') == std::string_view::npos) {
        format.m_encoding = TextEncoding::Ansi;
        text = DecodeAnsi(bytes);
    } else {
        return DecodeLastUsedText(bytes);
    }
    return WithCrLf(std::move(text), format.m_bLfBreaks);
}

std::string EncodeTextFile(std::u16string_view text, const TextFileFormat &format)
{
    if (format.m_encoding == TextEncoding::Utf16)
        return EncodeLastUsedText(text);
    const std::u16string lines = format.m_bLfBreaks ? WithLf(text) : std::u16string(text);
    if (format.m_encoding == TextEncoding::Utf16BigEndian)
        return EncodeUnits(lines, true);
    std::string bytes;
    if (format.m_encoding == TextEncoding::Ansi && EncodeAnsi(lines, bytes))
        return bytes;
    bytes = format.m_encoding == TextEncoding::Utf8WithMark ? kUtf8Mark : std::string_view();
    if (!EncodeUtf8(lines, bytes))
        return EncodeLastUsedText(text);
    return bytes;
}

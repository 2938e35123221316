#include "keymaps/KeyMapText.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

namespace {
constexpr std::array<std::string_view, kKeyMapPlanes> kPlaneNames = {"normal", "shift", "punctuation", "umlaut",
                                                                     "umlaut-shift"};

constexpr char kHeader[] =
    "# Quorlex key map: one line per plane and cell.\n"
    "# plane: normal, shift (Shift/Caps), punctuation, umlaut, umlaut-shift (Umlaut + Shift)\n"
    "# cell:  0-9 the keys 1 to 0, 10-35 the keys a to z of the QWERTY board,\n"
    "#        36 the comma key, 37 the period key, 38 the space bar, 39 the tab key\n"
    "# code:  what the key types, U+ and 4 hexadecimal digits; the character after it\n"
    "#        is there for reading and, when given, must be that code point\n";

// Space, controls, lone surrogates and line separators are left out of the
// character column: they would be invisible, or break the line.
bool IsShownInText(char16_t code)
{
    if (code <= 0x20 || (code >= 0x7F && code <= 0xA0))
        return false;
    if (code >= 0xD800 && code <= 0xDFFF)
        return false;
    return code != 0x2028 && code != 0x2029 && code < 0xFFFE;
}

void AppendUtf8(std::string &out, char16_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The one code point of a UTF-8 field, or nothing if the field is anything
// else (several characters, bad UTF-8, overlong forms).
std::optional<char32_t> SingleCodePoint(std::string_view field)
{
    const auto byte = [&field](std::size_t i) { return static_cast<unsigned char>(field[i]); };
    if (field.empty())
        return std::nullopt;
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || field.size() != length)
        return std::nullopt;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return std::nullopt;
        code = code << 6 | (byte(i) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF)
        return std::nullopt;
    return code;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            return fields;
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
}

std::optional<int> ParseNumber(std::string_view text, int base)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<char16_t> ParseCode(std::string_view text)
{
    if (text.size() < 3 || text.size() > 6 || (text.substr(0, 2) != "U+" && text.substr(0, 2) != "u+"))
        return std::nullopt;
    const std::optional<int> value = ParseNumber(text.substr(2), 16);
    if (!value || *value < 0 || *value > 0xFFFF)
        return std::nullopt;
    return char16_t(*value);
}

std::string CodeText(char32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", unsigned(code));
    return text;
}

std::string CellText(int plane, int cell)
{
    return std::string(kPlaneNames[plane]) + " cell " + std::to_string(cell);
}

class TextReader
{
public:
    KeyMapTextResult Read(std::string_view text, KeyMap &map);

private:
    std::string ReadLine(std::string_view line, int number);
    std::string FirstMissing() const;

    KeyMap m_map;
    std::array<std::array<int, kKeyMapCells>, kKeyMapPlanes> m_nLineOf{};
};

KeyMapTextResult TextReader::Read(std::string_view text, KeyMap &map)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (std::string error = ReadLine(line, ++number); !error.empty())
            return {false, "line " + std::to_string(number) + ": " + error};
    }
    if (std::string missing = FirstMissing(); !missing.empty())
        return {false, missing};
    map = m_map;
    return {true, {}};
}

std::string TextReader::ReadLine(std::string_view line, int number)
{
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.empty() || fields[0].front() == '#')
        return {};
    if (fields.size() < 3 || fields.size() > 4)
        return "expected a plane, a cell, a code point and maybe the character";
    int plane = 0;
    while (plane < kKeyMapPlanes && kPlaneNames[plane] != fields[0])
        ++plane;
    if (plane == kKeyMapPlanes)
        return "unknown plane '" + std::string(fields[0]) +
               "' (normal, shift, punctuation, umlaut or umlaut-shift)";
    const std::optional<int> cell = ParseNumber(fields[1], 10);
    if (!cell || *cell < 0 || *cell >= kKeyMapCells)
        return "cell '" + std::string(fields[1]) + "' is not a number from 0 to 39";
    const std::optional<char16_t> code = ParseCode(fields[2]);
    if (!code)
        return "code point '" + std::string(fields[2]) + "' is not U+0000 to U+FFFF";
    if (fields.size() == 4) {
        const std::optional<char32_t> shown = SingleCodePoint(fields[3]);
        if (!shown)
            return "'" + std::string(fields[3]) + "' is not one character in UTF-8";
        if (*shown != *code)
            return "the character '" + std::string(fields[3]) + "' is " + CodeText(*shown) + ", not " +
                   CodeText(*code);
    }
    int &lineOf = m_nLineOf[plane][*cell];
    if (lineOf != 0)
        return CellText(plane, *cell) + " was already given on line " + std::to_string(lineOf);
    lineOf = number;
    m_map.m_chCells[plane][*cell] = *code;
    return {};
}

std::string TextReader::FirstMissing() const
{
    int missing = 0;
    std::string first;
    for (int plane = 0; plane < kKeyMapPlanes; ++plane)
        for (int cell = 0; cell < kKeyMapCells; ++cell)
            if (m_nLineOf[plane][cell] == 0 && missing++ == 0)
                first = CellText(plane, cell);
    if (missing == 0)
        return {};
    return first + " is missing (" + std::to_string(missing) + " of the 200 lines are missing)";
}
}

std::string_view KeyMapPlaneName(int plane)
{
    return plane >= 0 && plane < kKeyMapPlanes ? kPlaneNames[plane] : std::string_view();
}

std::string KeyMapToText(const KeyMap &map)
{
    std::string text = kHeader;
    for (int plane = 0; plane < kKeyMapPlanes; ++plane) {
        text += '\n';
        for (int cell = 0; cell < kKeyMapCells; ++cell) {
            const char16_t code = map.m_chCells[plane][cell];
            char start[48];
            std::snprintf(start, sizeof start, "%-13s%2d  %s", kPlaneNames[plane].data(), cell,
                          CodeText(code).c_str());
            text += start;
            if (IsShownInText(code)) {
                text += "  ";
                AppendUtf8(text, code);
            }
            text += '\n';
        }
    }
    return text;
}

KeyMapTextResult KeyMapFromText(std::string_view text, KeyMap &map)
{
    return TextReader().Read(text, map);
}

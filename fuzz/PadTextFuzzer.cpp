// Flat text into the typing pad and out again: InsertText into an empty pad,
// the caret moved to some line and column (past the pair when the column
// falls inside a surrogate pair), InsertText of more text there,
// then GetAllText. The lines, the caret and the text given back are worked
// out here afresh from the rules for flat text, character by character, and
// must match the pad's.
//
// Input: a line selector byte, a column selector byte and a split selector
// byte, then UTF-16 little-endian code units; the selector splits the units
// into the first text and the second.

#include "FuzzCheck.h"

#include "pad/FakePadHost.h"
#include "pad/PadText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {
using Lines = std::vector<std::u16string>;

constexpr char16_t kStoredTab = u'\u2026';

// Lines end at each CR LF; in what follows the last CR LF, if anything does,
// they also end at each LF; that rest is a line unless it is empty or ends
// with that LF. TAB is kept as the stored tab. There is always at least one
// line.
Lines ExpectedLines(std::u16string_view text)
{
    std::size_t nRestFrom = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'\r' && text[i + 1] == u'\n')
            nRestFrom = i + 2;
    Lines lines;
    std::u16string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        if (i < nRestFrom && ch == u'\r' && text[i + 1] == u'\n') {
            lines.push_back(std::exchange(line, {}));
            ++i;
        } else if (i >= nRestFrom && ch == u'\n') {
            lines.push_back(std::exchange(line, {}));
        } else {
            line += ch == u'\t' ? kStoredTab : ch;
        }
    }
    if (nRestFrom < text.size() && text.back() != u'\n')
        lines.push_back(line);
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

// Lines joined by CR LF, every stored tab given back as TAB.
std::u16string ExpectedFlat(const Lines &lines)
{
    std::u16string flat;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            flat += u"\r\n";
        for (const char16_t ch : lines[i])
            flat += ch == kStoredTab ? u'\t' : ch;
    }
    return flat;
}

struct Place {
    std::size_t nLine;
    std::size_t nCaret;
};

// The lines after inserting text at a place, and where the caret ends.
Lines ExpectedAfterInsert(const Lines &before, Place at, std::u16string_view text, Place &caret)
{
    const Lines parts = ExpectedLines(text);
    const std::u16string &line = before[at.nLine];
    Lines after(before.begin(), before.begin() + std::ptrdiff_t(at.nLine));
    after.push_back(line.substr(0, at.nCaret) + parts.front());
    after.insert(after.end(), parts.begin() + 1, parts.end());
    caret = {after.size() - 1, after.back().size()};
    after.back() += line.substr(at.nCaret);
    after.insert(after.end(), before.begin() + std::ptrdiff_t(at.nLine) + 1, before.end());
    return after;
}

// The column between the two halves of a surrogate pair, where no caret stops.
bool InsidePair(const std::u16string &line, std::size_t c)
{
    return c > 0 && c < line.size() && line[c - 1] >= 0xD800 && line[c - 1] <= 0xDBFF && line[c] >= 0xDC00 &&
           line[c] <= 0xDFFF;
}

void CheckPad(const PadText &pad, const Lines &lines, Place caret)
{
    FuzzCheck(pad.m_lines == lines, "lines as the rules make them");
    FuzzCheck(pad.m_nLine == int(caret.nLine) && pad.m_nCaret == int(caret.nCaret), "caret after the text");
    FuzzCheck(pad.m_strLine == lines[caret.nLine], "the edited line is the caret's");
    FuzzCheck(pad.GetAllText() == ExpectedFlat(lines), "flat text as the rules make it");
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    std::u16string units;
    for (std::size_t i = 3; i + 1 < size; i += 2)
        units += char16_t(data[i] | data[i + 1] << 8);
    const std::size_t nSplit = units.size() * data[2] / 256;
    const std::u16string_view first = std::u16string_view(units).substr(0, nSplit);
    const std::u16string_view second = std::u16string_view(units).substr(nSplit);

    FakePadHost host;
    PadText pad(host);
    Place caret{};
    Lines lines = ExpectedAfterInsert(Lines(1), {0, 0}, first, caret);
    pad.InsertText(first);
    CheckPad(pad, lines, caret);

    const Place at{data[0] % lines.size(), 0};
    pad.GoToLine(int(at.nLine));
    std::size_t nColumn = data[1] % (lines[at.nLine].size() + 1);
    nColumn += InsidePair(lines[at.nLine], nColumn) ? 1 : 0;
    const Place place{at.nLine, nColumn};
    for (std::size_t i = 0; i < place.nCaret && pad.m_nCaret < int(place.nCaret); ++i)
        pad.CaretRight();
    FuzzCheck(pad.m_nLine == int(place.nLine) && pad.m_nCaret == int(place.nCaret), "caret moved there");

    lines = ExpectedAfterInsert(lines, place, second, caret);
    pad.InsertText(second);
    CheckPad(pad, lines, caret);
    return 0;
}

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

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {
using Lines = std::vector<std::u16string>;

constexpr char16_t kStoredTab = u'\u2026';

struct Place {
    std::size_t nLine;
    std::size_t nCaret;
};

// Lines end at each CR LF; in what follows the last CR LF, if anything does,
// they also end at each LF. A final break leaves an empty last line. TAB is
// kept as the stored tab.
Lines ExpectedLines(std::u16string_view text)
{
    const std::size_t nLast = text.rfind(u"\r\n");
    const std::size_t nRestFrom = nLast == std::u16string_view::npos ? 0 : nLast + 2;
    Lines lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i < nRestFrom ? text.substr(i, 2) == u"\r\n" : text[i] == u'\n') {
            lines.emplace_back();
            i += i < nRestFrom ? 1 : 0;
        } else {
            lines.back() += text[i] == u'\t' ? kStoredTab : text[i];
        }
    }
    return lines;
}

// Lines joined by CR LF, every stored tab given back as TAB.
std::u16string ExpectedFlat(const Lines &lines)
{
    std::u16string flat;
    for (std::size_t i = 0; i < lines.size(); ++i)
        flat += (i > 0 ? u"\r\n" : u"") + lines[i];
    std::replace(flat.begin(), flat.end(), kStoredTab, u'\t');
    return flat;
}

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

    FakePadHost host;
    PadText pad(host);
    Place caret{};
    Lines lines = ExpectedAfterInsert(Lines(1), {0, 0}, units.substr(0, nSplit), caret);
    pad.InsertText(units.substr(0, nSplit));
    CheckPad(pad, lines, caret);

    Place at{data[0] % lines.size(), 0};
    const std::u16string &line = lines[at.nLine];
    at.nCaret = data[1] % (line.size() + 1);
    // No caret stops between the two halves of a surrogate pair.
    if (at.nCaret > 0 && at.nCaret < line.size() && (line[at.nCaret - 1] & 0xFC00) == 0xD800 &&
        (line[at.nCaret] & 0xFC00) == 0xDC00)
        ++at.nCaret;
    pad.GoToLine(int(at.nLine));
    for (std::size_t i = 0; i < at.nCaret && pad.m_nCaret < int(at.nCaret); ++i)
        pad.CaretRight();
    FuzzCheck(pad.m_nLine == int(at.nLine) && pad.m_nCaret == int(at.nCaret), "caret moved there");

    lines = ExpectedAfterInsert(lines, at, units.substr(nSplit), caret);
    pad.InsertText(units.substr(nSplit));
    CheckPad(pad, lines, caret);
    return 0;
}

#include "pad/LineWrap.h"

#include "pad/SurrogatePair.h"

#include <cmath>

void CharAdvances::Clear()
{
    m_bmp.clear();
    m_astral.clear();
}

const CharAdvances::Entry &CharAdvances::OfAstral(char32_t ch)
{
    const auto it = m_astral.find(ch);
    if (it != m_astral.end())
        return it->second;
    return m_astral.emplace(ch, Measure(ch)).first->second;
}

namespace {
bool IsBreak(char16_t ch)
{
    return ch == u'\r' || ch == u'\n';
}

// The character at i, a surrogate pair taken whole; nUnits is set to its length.
char32_t CharAt(std::u16string_view text, std::size_t i, std::size_t &nUnits)
{
    const char16_t ch = text[i];
    if (IsHighSurrogate(ch) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        nUnits = 2;
        return PairedCodePoint(ch, text[i + 1]);
    }
    nUnits = 1;
    return ch;
}

// Wraps the paragraph [nFrom, nTo) of the line; false on right-to-left text.
bool WrapParagraph(std::u16string_view line, std::size_t nFrom, std::size_t nTo, double dRoom, double dTabStop,
                   CharAdvances &advances, std::vector<int> &starts)
{
    starts.push_back(static_cast<int>(nFrom));
    std::size_t nRowStart = nFrom;
    std::size_t nAfterSpace = nFrom; // where the row may break; nRowStart when nowhere yet
    double x = 0;
    for (std::size_t i = nFrom; i < nTo;) {
        std::size_t nUnits = 1;
        const char32_t ch = CharAt(line, i, nUnits);
        if (ch == u'\t' || ch == u' ') {
            x = ch == u' ' ? x + advances.Of(ch).fAdvance : (std::floor(x / dTabStop) + 1) * dTabStop;
            i += nUnits;
            nAfterSpace = i;
            continue;
        }
        const CharAdvances::Entry &entry = advances.Of(ch);
        if (entry.kind == CharAdvances::Kind::RightToLeft)
            return false;
        const bool bMark = entry.kind == CharAdvances::Kind::Mark;
        if (bMark && nAfterSpace == i)
            nAfterSpace = nRowStart; // a mark on a space keeps the two together
        if (!bMark && i > nRowStart && x + entry.fAdvance > dRoom) {
            nRowStart = nAfterSpace > nRowStart ? nAfterSpace : i;
            starts.push_back(static_cast<int>(nRowStart));
            nAfterSpace = nRowStart;
            x = 0;
            i = nRowStart;
            continue;
        }
        x += entry.fAdvance;
        i += nUnits;
    }
    return true;
}
} // namespace

bool WrapLine(std::u16string_view line, double dRoom, double dTabStop, CharAdvances &advances,
              std::vector<int> &starts)
{
    const std::size_t nKept = starts.size();
    dTabStop = dTabStop > 0 ? dTabStop : 1;
    std::size_t nFrom = 0;
    for (;;) {
        std::size_t nEnd = nFrom;
        while (nEnd < line.size() && !IsBreak(line[nEnd]))
            ++nEnd;
        if (!WrapParagraph(line, nFrom, nEnd, dRoom, dTabStop, advances, starts)) {
            starts.resize(nKept);
            return false;
        }
        if (nEnd >= line.size())
            return true;
        nFrom = nEnd + ((line[nEnd] == u'\r' && nEnd + 1 < line.size() && line[nEnd + 1] == u'\n') ? 2 : 1);
    }
}

std::u16string_view RowText(std::u16string_view line, int nStart, int nNextStart)
{
    std::u16string_view row = line.substr(static_cast<std::size_t>(nStart),
                                          static_cast<std::size_t>(nNextStart - nStart));
    while (!row.empty() && IsBreak(row.back()))
        row.remove_suffix(1);
    return row;
}

#include "pad/PadText.h"

#include <algorithm>
#include <iterator>

// The pad's lines as one flat text and back.

namespace {
void AppendConverted(std::u16string_view line, std::vector<std::u16string> &out)
{
    std::u16string converted(line);
    PadText::ConvertTabs(converted, false);
    out.push_back(std::move(converted));
}
}

std::u16string PadText::GetAllText() const
{
    size_t nSize = 0;
    for (const std::u16string &line : m_lines)
        nSize += line.size() + 2;
    std::u16string out;
    out.reserve(nSize);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            out += u"\r\n";
        // Tabs go back while the line is fresh in the cache, not in a second
        // pass over the whole text.
        const size_t nStart = out.size();
        out += m_lines[i];
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(nStart), out.end(), m_chTab, u'\t');
    }
    return out;
}

void PadText::SplitLines(std::u16string_view text, std::vector<std::u16string> &out)
{
    size_t nPos = 0;
    for (size_t nBreak; (nBreak = text.find(u"\r\n", nPos)) != std::u16string_view::npos; nPos = nBreak + 2)
        AppendConverted(text.substr(nPos, nBreak - nPos), out);
    // Lone LFs break lines only after the last CR LF: a text that uses CR LF
    // keeps its stray LFs inside its lines. What follows the last break is
    // the last line even when empty: a text that ends with a line break ends
    // its line, so that pasting it puts what followed the caret on a line of
    // its own, and a text handed to the pad and back keeps its last break.
    const std::u16string_view rest = text.substr(nPos);
    size_t nRestPos = 0;
    for (size_t nBreak; (nBreak = rest.find(u'\n', nRestPos)) != std::u16string_view::npos; nRestPos = nBreak + 1)
        AppendConverted(rest.substr(nRestPos, nBreak - nRestPos), out);
    AppendConverted(rest.substr(nRestPos), out);
}

void PadText::InsertText(std::u16string_view text)
{
    CommitLine();
    std::vector<std::u16string> parts;
    SplitLines(text, parts);
    const size_t nCaret = static_cast<size_t>(std::clamp(m_nCaret, 0, Length()));
    const std::u16string tail = m_strLine.substr(nCaret);
    m_strLine.resize(nCaret);
    m_strLine += parts.front();
    if (parts.size() == 1) {
        m_nCaret = static_cast<int>(m_strLine.size());
    } else {
        CommitLine();
        // All new lines go in at once: a long text costs one move of the
        // lines after it, not one per line.
        m_lines.insert(m_lines.begin() + m_nLine + 1, std::make_move_iterator(parts.begin() + 1),
                       std::make_move_iterator(parts.end()));
        m_nLine += static_cast<int>(parts.size() - 1);
        m_strLine = m_lines[static_cast<size_t>(m_nLine)];
        m_nCaret = Length();
        m_nFirstCol = 0;
    }
    m_strLine += tail;
    CommitLine();
    ScrollToShow(m_nCaret);
    m_host.Redraw();
}

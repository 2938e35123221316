#include "pad/PadText.h"

#include "pad/SurrogatePair.h"

#include <algorithm>

namespace {
constexpr char16_t kTab = u'\t';

// The part of s from nFirst, nCount long, cut to what exists.
std::u16string_view Part(std::u16string_view s, int nFirst, int nCount)
{
    const int nLength = static_cast<int>(s.size());
    nFirst = std::clamp(nFirst, 0, nLength);
    nCount = std::clamp(nCount, 0, nLength - nFirst);
    return s.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount));
}

std::u16string_view From(std::u16string_view s, int nFirst)
{
    return Part(s, nFirst, static_cast<int>(s.size()));
}

}

PadText::PadText(PadHost &host) : m_lines(1), m_host(host) {}

bool PadText::IsInsidePair(int c) const
{
    if (c <= 0 || c >= Length())
        return false;
    const auto unit = [this](int i) { return m_strLine[static_cast<size_t>(i)]; };
    return IsHighSurrogate(unit(c - 1)) && IsLowSurrogate(unit(c));
}

void PadText::ReplaceLine(std::u16string_view left, std::u16string_view middle, std::u16string_view right)
{
    std::u16string line;
    line.reserve(left.size() + middle.size() + right.size());
    line.append(left).append(middle).append(right);
    m_strLine = std::move(line);
}

void PadText::CommitLine()
{
    m_lines[static_cast<size_t>(m_nLine)] = m_strLine.View();
}

void PadText::LoadLine()
{
    m_strLine = m_lines[static_cast<size_t>(m_nLine)];
    m_nFirstCol = 0;
    m_nCaret = 0;
    m_bSelection = false;
    m_nSelStart = m_nSelEnd = -1;
    m_host.Redraw();
}

void PadText::DeleteSelection()
{
    const std::u16string_view line = m_strLine;
    ReplaceLine(Part(line, 0, m_nSelStart), {}, From(line, m_nSelEnd + 1));
    m_nCaret = std::clamp(m_nSelStart, 0, Length());
    if (m_nCaret < m_nFirstCol)
        m_nFirstCol = m_nCaret;
    else
        ScrollToShow(m_nCaret);
    m_host.StopAutoScroll();
    m_bSelection = false;
}

void PadText::InsertChar(char16_t ch)
{
    if (m_bSelection)
        DeleteSelection();
    if (ch == kTab)
        ch = m_chTab;
    m_strLine.insert(static_cast<size_t>(m_nCaret), 1, ch);
    ++m_nCaret;
    ScrollToShow(m_nCaret);
    m_host.Redraw();
}

void PadText::Backspace()
{
    if (m_bSelection) {
        DeleteSelection();
        m_host.Redraw();
    } else if (m_nCaret > 0) {
        const int nStop = PrevStop(m_nCaret);
        m_strLine.erase(static_cast<size_t>(nStop), static_cast<size_t>(m_nCaret - nStop));
        m_nCaret = nStop;
        if (m_nCaret <= m_nFirstCol)
            m_nFirstCol = std::max(PrevStop(m_nCaret), 0);
        m_host.Redraw();
    } else if (m_nLine == 0) {
        m_host.MessageBeep();
    } else {
        const std::u16string previous = m_lines[static_cast<size_t>(m_nLine - 1)];
        m_strLine.insert(0, previous);
        m_lines.erase(m_lines.begin() + m_nLine);
        --m_nLine;
        m_nCaret = static_cast<int>(previous.size());
        ScrollToShow(m_nCaret);
        m_host.Redraw();
    }
}

void PadText::DeleteChar()
{
    if (m_bSelection) {
        DeleteSelection();
        m_host.Redraw();
    } else if (m_nCaret < Length()) {
        m_strLine.erase(static_cast<size_t>(m_nCaret), static_cast<size_t>(NextStop(m_nCaret) - m_nCaret));
        m_host.Redraw();
    } else if (m_nLine == LineCount() - 1) {
        m_host.MessageBeep();
    } else {
        m_strLine += m_lines[static_cast<size_t>(m_nLine + 1)];
        m_lines.erase(m_lines.begin() + m_nLine + 1);
        ScrollToShow(m_nCaret);
        m_host.Redraw();
    }
}

void PadText::NewLine()
{
    if (m_bSelection)
        DeleteSelection();
    std::u16string tail(From(m_strLine, m_nCaret));
    m_strLine.resize(static_cast<size_t>(m_nCaret));
    CommitLine();
    ++m_nLine;
    m_lines.insert(m_lines.begin() + m_nLine, std::move(tail));
    LoadLine();
}

void PadText::ClearSelection()
{
    m_bSelection = false;
    m_host.StopAutoScroll();
}

void PadText::MoveCaretTo(int nCaret)
{
    m_nCaret = nCaret;
    if (nCaret >= m_nFirstCol)
        ScrollToShow(nCaret);
    else
        m_nFirstCol = nCaret == 0 ? 0 : PrevStop(nCaret);
    m_host.Redraw();
}

void PadText::CaretLeft()
{
    if (m_bSelection) {
        ClearSelection();
        MoveCaretTo(std::clamp(m_nSelStart, 0, Length()));
    } else if (m_nCaret == 0) {
        m_host.MessageBeep();
    } else {
        MoveCaretTo(PrevStop(m_nCaret));
    }
}

void PadText::CaretRight()
{
    if (m_bSelection) {
        ClearSelection();
        MoveCaretTo(std::clamp(m_nSelEnd + 1, 0, Length()));
    } else if (m_nCaret == Length()) {
        m_host.MessageBeep();
    } else {
        MoveCaretTo(NextStop(m_nCaret));
    }
}

void PadText::CaretHome()
{
    if (m_bSelection)
        ClearSelection();
    m_nCaret = 0;
    m_nFirstCol = 0;
    m_host.Redraw();
}

void PadText::CaretEnd()
{
    if (m_bSelection)
        ClearSelection();
    m_nCaret = Length();
    ScrollToShow(m_nCaret);
    m_host.Redraw();
}

void PadText::PrevLine()
{
    CommitLine();
    if (m_nLine > 0) {
        --m_nLine;
        LoadLine();
    } else {
        m_host.MessageBeep();
    }
}

void PadText::NextLine()
{
    CommitLine();
    if (m_nLine < LineCount() - 1) {
        ++m_nLine;
        LoadLine();
    } else {
        m_host.MessageBeep();
    }
}

void PadText::GoToLine(int nLine)
{
    HideLineList();
    CommitLine();
    // The list only offers lines that exist; anything else keeps the line.
    if (nLine < 0 || nLine >= LineCount())
        return;
    m_nLine = nLine;
    LoadLine();
}

void PadText::ShowLineList()
{
    CommitLine();
    m_host.ShowLineListWindow();
    m_bListShown = true;
}

void PadText::HideLineList()
{
    m_host.HideLineListWindow();
    m_bListShown = false;
}

void PadText::SelectLine()
{
    m_nCaret = 0;
    m_nSelStart = 0;
    // One past the last character: every consumer keeps to the characters
    // that exist, so the whole line is selected.
    m_nSelEnd = Length();
    m_nFirstCol = 0;
    m_bSelection = true;
    m_host.Redraw();
}

void PadText::ClearAll()
{
    m_strLine.clear();
    m_lines.assign(1, std::u16string());
    m_bSelection = false;
    m_nCaret = m_nFirstCol = m_nLine = 0;
    m_host.Redraw();
}

void PadText::ConvertTabs(std::u16string &s, bool bToTab)
{
    const char16_t from = bToTab ? m_chTab : kTab;
    const char16_t to = bToTab ? kTab : m_chTab;
    std::replace(s.begin(), s.end(), from, to);
}

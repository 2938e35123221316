#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Where the lines of the line list lie across the list, and the scroll
// arithmetic over them. A line's height is its wrapped height in pixels; the
// scroll position counts line units. The layout measures nothing and draws
// nothing: the window gives it the heights it measured.
class LineListLayout
{
public:
    void Clear();
    void Reserve(std::size_t nLines);
    void Append(int nHeight);

    int Count() const { return static_cast<int>(m_heights.size()); }
    int Height(int i) const { return m_heights[static_cast<std::size_t>(i)]; }
    // Distance across the list from its start to the start of line i; line
    // Count() starts where the last line ends.
    int64_t Top(int i) const { return m_tops[static_cast<std::size_t>(i)]; }
    int64_t TotalHeight() const { return m_tops.back(); }
    const std::vector<int> &Heights() const { return m_heights; }

    // The line that covers distance t, or -1 when t lies before the first
    // line or beyond the last. Costs a binary search, however many lines.
    int LineAt(int64_t t) const;
    // The lines [first, end) that have pixels within [nFrom, nFrom + nSpan).
    void VisibleLines(int64_t nFrom, int nSpan, int &nFirst, int &nEnd) const;

private:
    std::vector<int> m_heights;
    // m_tops[i] is the sum of the heights before line i; one more entry than
    // lines, so that a window of lines is found by binary search.
    std::vector<int64_t> m_tops{0};
};

// The scroll codes the list's scroll bar reports.
enum ScrollCode : int {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8,
};

// Line units needed for a height, a part unit counting as a whole one.
int UnitsForHeight(int64_t nHeight, int nUnit);
// The scroll position after a scroll code at position nPos; codes the list
// does not handle leave it where it is.
int NextScrollPosition(int nCode, int nPos, int nThumbPos, int nScrollMax, int nPage);
// How far the text is scrolled, in pixels: position 0 shows the first line
// when right-handed, the maximum shows it when left-handed.
int64_t ScrollOffset(int nUnit, int nPos, int nScrollMax, bool bRightHanded);

#include "pad/LineListLayout.h"

#include <algorithm>
#include <climits>

void LineListLayout::Clear()
{
    m_heights.clear();
    m_tops.assign(1, 0);
}

void LineListLayout::Reserve(std::size_t nLines)
{
    m_heights.reserve(nLines);
    m_tops.reserve(nLines + 1);
}

void LineListLayout::Append(int nHeight)
{
    m_heights.push_back(nHeight);
    m_tops.push_back(m_tops.back() + nHeight);
}

int LineListLayout::LineAt(int64_t t) const
{
    if (t < 0 || t >= TotalHeight())
        return -1;
    // The first line whose end lies beyond t.
    const auto it = std::upper_bound(m_tops.begin() + 1, m_tops.end(), t);
    return static_cast<int>(it - (m_tops.begin() + 1));
}

void LineListLayout::VisibleLines(int64_t nFrom, int nSpan, int &nFirst, int &nEnd) const
{
    const int64_t nTo = nFrom + std::max(nSpan, 0);
    const auto itFirst = std::upper_bound(m_tops.begin() + 1, m_tops.end(), nFrom);
    nFirst = static_cast<int>(itFirst - (m_tops.begin() + 1));
    // Lines that start before nTo: their number is the count of tops < nTo,
    // less the final entry, which starts nothing.
    const auto itEnd = std::lower_bound(m_tops.begin(), m_tops.end() - 1, nTo);
    nEnd = std::max(nFirst, static_cast<int>(itEnd - m_tops.begin()));
}

int UnitsForHeight(int64_t nHeight, int nUnit)
{
    if (nUnit <= 0 || nHeight <= 0)
        return 0;
    const int64_t nUnits = nHeight / nUnit + (nHeight % nUnit != 0 ? 1 : 0);
    return static_cast<int>(std::min<int64_t>(nUnits, INT_MAX / 2));
}

int NextScrollPosition(int nCode, int nPos, int nThumbPos, int nScrollMax, int nPage)
{
    switch (nCode) {
    case SB_LINEUP:
        return nPos == 0 ? nPos : nPos - 1;
    case SB_LINEDOWN:
        return nPos == nScrollMax ? nPos : std::min(nPos + 1, nScrollMax);
    case SB_PAGEUP:
        return nPos == 0 ? nPos : std::max(nPos - nPage, 0);
    case SB_PAGEDOWN:
        return nPos == nScrollMax ? nPos : std::min(nPos + nPage, nScrollMax);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return nThumbPos;
    default:
        return nPos;
    }
}

int64_t ScrollOffset(int nUnit, int nPos, int nScrollMax, bool bRightHanded)
{
    if (nScrollMax <= 0)
        return 0;
    return static_cast<int64_t>(nUnit) * (bRightHanded ? nPos : nScrollMax - nPos);
}

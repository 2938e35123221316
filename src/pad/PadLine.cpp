#include "pad/PadLine.h"

#include <algorithm>

namespace {
// Room made before a line at least: a line typed into near its start gets
// this many characters before its units move again.
constexpr std::size_t kMinFrontRoom = 64;
}

PadLine &PadLine::operator=(std::u16string s)
{
    m_buf = std::move(s);
    m_nFront = 0;
    return *this;
}

void PadLine::clear()
{
    m_buf.clear();
    m_nFront = 0;
}

void PadLine::MakeFrontRoom(std::size_t nRoom)
{
    if (m_nFront >= nRoom)
        return;
    // Room for half the line again: the move is paid for by as many
    // changes near the start before the next one.
    const std::size_t nNewFront = std::max({nRoom, kMinFrontRoom, size() / 2});
    std::u16string buf(nNewFront, u'\0');
    buf.reserve(nNewFront + size());
    buf.append(View());
    m_buf = std::move(buf);
    m_nFront = nNewFront;
}

void PadLine::insert(std::size_t nPos, std::u16string_view s)
{
    nPos = std::min(nPos, size());
    if (nPos >= size() / 2) {
        m_buf.insert(m_nFront + nPos, s);
        return;
    }
    // Nearer the start: the units before the place move towards the front.
    MakeFrontRoom(s.size());
    const auto first = m_buf.begin() + static_cast<std::ptrdiff_t>(m_nFront);
    const auto newFirst = first - static_cast<std::ptrdiff_t>(s.size());
    std::copy(first, first + static_cast<std::ptrdiff_t>(nPos), newFirst);
    std::copy(s.begin(), s.end(), newFirst + static_cast<std::ptrdiff_t>(nPos));
    m_nFront -= s.size();
}

void PadLine::erase(std::size_t nPos, std::size_t nCount)
{
    nPos = std::min(nPos, size());
    nCount = std::min(nCount, size() - nPos);
    if (nCount == 0)
        return;
    if (nPos >= size() / 2) {
        m_buf.erase(m_nFront + nPos, nCount);
        return;
    }
    const auto first = m_buf.begin() + static_cast<std::ptrdiff_t>(m_nFront);
    std::copy_backward(first, first + static_cast<std::ptrdiff_t>(nPos),
                       first + static_cast<std::ptrdiff_t>(nPos + nCount));
    m_nFront += nCount;
}

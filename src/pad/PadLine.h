#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The pad's edited line: one run of UTF-16 units kept with free room before
// it as well as after it, so that typing or erasing near either end of a very
// long line moves only the units between the change and that end, never the
// whole line. The units always lie together, so the line can be read as one
// string view.
class PadLine
{
public:
    PadLine() = default;
    PadLine &operator=(std::u16string s);

    std::u16string_view View() const { return std::u16string_view(m_buf).substr(m_nFront); }
    operator std::u16string_view() const { return View(); }
    operator std::u16string() const { return std::u16string(View()); }

    std::size_t size() const { return m_buf.size() - m_nFront; }
    char16_t operator[](std::size_t i) const { return m_buf[m_nFront + i]; }
    std::u16string substr(std::size_t nPos, std::size_t nCount = std::u16string::npos) const
    {
        return std::u16string(View().substr(nPos, nCount));
    }

    void insert(std::size_t nPos, std::u16string_view s);
    void insert(std::size_t nPos, std::size_t nCount, char16_t ch) { insert(nPos, std::u16string(nCount, ch)); }
    void erase(std::size_t nPos, std::size_t nCount);
    void resize(std::size_t nSize) { m_buf.resize(m_nFront + nSize); }
    PadLine &operator+=(std::u16string_view s)
    {
        m_buf.append(s);
        return *this;
    }
    void clear();

    friend bool operator==(const PadLine &line, std::u16string_view s) { return line.View() == s; }

private:
    // Moves the units so that at least nRoom free units lie before them.
    void MakeFrontRoom(std::size_t nRoom);

    // The line is m_buf from m_nFront on; what lies before is free room.
    std::u16string m_buf;
    std::size_t m_nFront = 0;
};

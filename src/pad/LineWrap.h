#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

// How wide each character of one font is, for wrapping lines without laying
// them out: a table of the 65,536 characters of the basic plane, each asked
// of the font once, when first met, and a small map for the characters
// beyond it. The widget side says how a font measures a character.
class CharAdvances
{
public:
    enum class Kind : uint8_t {
        Unknown,
        Ordinary,
        // Belongs to the character before it: no row may start with it.
        Mark,
        // Right-to-left or a direction control: the text is reordered across
        // its whole paragraph, which rows wrapped one by one cannot show.
        RightToLeft,
    };
    struct Entry {
        float fAdvance = 0;
        Kind kind = Kind::Unknown;
    };

    virtual ~CharAdvances() = default;
    // Forgets every character, for another font.
    void Clear();
    const Entry &Of(char32_t ch)
    {
        if (ch < 0x10000) {
            if (m_bmp.empty())
                m_bmp.resize(0x10000);
            Entry &entry = m_bmp[ch];
            if (entry.kind == Kind::Unknown)
                entry = Measure(ch);
            return entry;
        }
        return OfAstral(ch);
    }

protected:
    virtual Entry Measure(char32_t ch) const = 0;

private:
    const Entry &OfAstral(char32_t ch);

    std::vector<Entry> m_bmp;
    std::unordered_map<char32_t, Entry> m_astral;
};

// Wraps one line into rows nRoom pixels wide and appends where each row
// starts (an index into the line) to starts; returns false, having appended
// nothing, when the line holds right-to-left text. Paragraphs end at CR LF,
// a lone CR or a lone LF, and each one starts a row; an empty paragraph is one
// row. A row breaks after its last space or tab when the next character does
// not fit; a word longer than the row breaks before the character that does
// not fit, but never before a mark or inside a surrogate pair, and every row
// holds at least one character. Spaces at the end of a row hang beyond it.
// Tabs reach the next multiple of dTabStop from the row's start.
bool WrapLine(std::u16string_view line, double dRoom, double dTabStop, CharAdvances &advances,
              std::vector<int> &starts);

// The text of a row: from its start to the next row's start, without the
// paragraph break it may end with.
std::u16string_view RowText(std::u16string_view line, int nStart, int nNextStart);

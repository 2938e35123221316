#pragma once

#include "pad/PadHost.h"

#include <map>

// A pad of fixed length whose characters are 10 pixels wide unless given
// another width; it counts what the model asks of it.
class FakePadHost : public PadHost
{
public:
    int MeasureText(std::u16string_view text) const override
    {
        int nWidth = 0;
        for (char16_t ch : text) {
            auto it = m_widths.find(ch);
            nWidth += it == m_widths.end() ? 10 : it->second;
        }
        return nWidth;
    }
    int PadLength() const override { return m_nLength; }
    void Redraw() override { ++m_nRedraws; }
    void StopAutoScroll() override { ++m_nStops; }
    void MessageBeep() override { ++m_nBeeps; }
    void ShowLineListWindow() override { m_bListWindow = true; }
    void HideLineListWindow() override { m_bListWindow = false; }

    std::map<char16_t, int> m_widths;
    int m_nLength = 106; // nine 10-pixel characters fit before the margin
    int m_nRedraws = 0;
    int m_nStops = 0;
    int m_nBeeps = 0;
    bool m_bListWindow = false;
};

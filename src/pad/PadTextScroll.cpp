#include "pad/PadText.h"

#include <algorithm>

// Scrolling, hit testing and the stylus selection of the pad's text.

int PadText::WidthOf(int nFirst, int nEnd) const
{
    const std::u16string_view line = m_strLine;
    return m_host.MeasureText(line.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nEnd - nFirst)));
}

bool PadText::Fits(int nFirst, int nEnd) const
{
    return WidthOf(nFirst, nEnd) < m_host.PadLength() - 6;
}

void PadText::ScrollToShow(int c)
{
    c = StopAtOrAfter(std::clamp(c, 0, Length()));
    if (m_nFirstCol >= c || Fits(m_nFirstCol, c))
        return;
    // Typing at the end of a full strip needs one character more: try that
    // before searching.
    if (Fits(NextStop(m_nFirstCol), c)) {
        m_nFirstCol = NextStop(m_nFirstCol);
        return;
    }
    // A strip too short for anything shows the line from c on rather than
    // scrolling for ever.
    if (!Fits(c, c)) {
        m_nFirstCol = c;
        return;
    }
    // The first column that fits is wanted. A text only grows wider when
    // characters are added in front, so search back from c by doubling steps
    // and then halve the gap: the measuring stays proportional to what the
    // strip can show, however long the line is.
    int nFailing = m_nFirstCol;
    int nFitting = c;
    for (int nStep = 1; c - nStep > nFailing; nStep *= 2) {
        if (!Fits(c - nStep, c)) {
            nFailing = c - nStep;
            break;
        }
        nFitting = c - nStep;
    }
    while (nFitting - nFailing > 1) {
        const int nMiddle = nFailing + (nFitting - nFailing) / 2;
        if (Fits(nMiddle, c))
            nFitting = nMiddle;
        else
            nFailing = nMiddle;
    }
    // Fewer columns still fit: a pair is shown whole or not at all.
    m_nFirstCol = StopAtOrAfter(nFitting);
}

int PadText::HitTest(int d, int nAvgCharWidth) const
{
    const std::u16string_view line = m_strLine;
    const std::u16string_view visible = line.substr(static_cast<size_t>(std::min(m_nFirstCol, Length())));
    const int v = static_cast<int>(visible.size());
    int n = d / std::max(nAvgCharWidth, 1);
    int prev = -2;
    for (;;) {
        if (n <= 0)
            return 0;
        if (n > v) {
            if (n == prev + 1)
                return v;
            n = v;
        }
        const int w = m_host.MeasureText(visible.substr(0, static_cast<size_t>(n)));
        if (w == d)
            return n;
        if (w < d) {
            if (n == prev - 1)
                return n;
            prev = n++;
        } else {
            if (n == prev + 1)
                return prev;
            prev = n--;
        }
    }
}

void PadText::StylusDown(int nVisibleChars)
{
    m_bSelection = false;
    m_nCaret = StopAtOrBefore(std::min(m_nFirstCol + nVisibleChars, Length()));
    m_host.Redraw();
}

bool PadText::StylusDrag(int nVisibleChars)
{
    const int p = StopAtOrBefore(m_nFirstCol + nVisibleChars);
    if (p == m_nCaret)
        return false;
    if (p > m_nCaret) {
        m_nSelStart = m_nCaret;
        m_nSelEnd = StopAtOrAfter(p + 1) - 1;
    } else {
        m_nSelStart = p;
        m_nSelEnd = m_nCaret - 1;
    }
    m_bSelection = true;
    m_host.Redraw();
    return true;
}

void PadText::ExtendSelectionBack()
{
    if (m_nSelStart <= 0)
        return;
    m_nSelStart = PrevStop(m_nSelStart);
    if (m_nFirstCol > 0)
        m_nFirstCol = PrevStop(m_nFirstCol);
    m_host.Redraw();
}

void PadText::ExtendSelectionForward()
{
    if (m_nSelEnd >= Length() - 1)
        return;
    m_nSelEnd = StopAtOrAfter(m_nSelEnd + 2) - 1;
    ScrollToShow(m_nSelEnd);
    m_host.Redraw();
}

std::u16string PadText::SelectedText() const
{
    if (!m_bSelection)
        return {};
    const int nFirst = std::clamp(m_nSelStart, 0, Length());
    const int nEnd = std::clamp(m_nSelEnd + 1, nFirst, Length());
    std::u16string selected = m_strLine.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nEnd - nFirst));
    ConvertTabs(selected, true);
    return selected;
}

void PadText::UpdateVisible()
{
    m_strVisible = m_strLine.View().substr(static_cast<size_t>(std::clamp(m_nFirstCol, 0, Length())));
}

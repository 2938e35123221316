#pragma once

#include "BenchEnvironment.h"

#include "keyboard/KeyboardWnd.h"

// A keyboard window in a folder of its own, created as the view creates it,
// shown once so that the pad and the line list learn their sizes, then
// hidden: Qt's repaint then returns at once, so what is timed on it is the
// program's own work without the platform's painting.
class BenchBoard
{
public:
    BenchBoard()
    {
        m_wnd.Create(nullptr);
        m_wnd.show();
        m_wnd.hide();
    }
    CKeyboardWnd &Window() { return m_wnd; }
    CTypePadWnd &Pad() { return m_wnd.Pad(); }
    QPoint KeyCentre(int slot) const
    {
        const Rect r = m_wnd.GetKeyRect(KeyCodeOfIndex(slot), slot);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // The pad holds these lines, the first one loaded.
    void SetLines(std::vector<std::u16string> lines)
    {
        Pad().m_text.m_lines = std::move(lines);
        Pad().m_text.m_nLine = 0;
        Pad().LoadLine();
    }

private:
    BenchEnvironment m_environment;
    CKeyboardWnd m_wnd;
};

#pragma once

#include <string_view>

// What the pad's text model asks of the window that shows it. The model owns
// no pixels, no timers and no sound: it measures, redraws, beeps and shows the
// line list through this interface, so it runs without any window at all.
class PadHost
{
public:
    // Width in pixels of the text as the pad would draw it on one line.
    virtual int MeasureText(std::u16string_view text) const = 0;
    // Length of the strip along the text, in pixels.
    virtual int PadLength() const = 0;
    virtual void Redraw() = 0;
    virtual void StopAutoScroll() = 0;
    virtual void MessageBeep() = 0;
    // Rebuild the line list from the committed lines and show it on top.
    virtual void ShowLineListWindow() = 0;
    virtual void HideLineListWindow() = 0;

protected:
    ~PadHost() = default;
};

#pragma once

#include <QRect>

#include <string>

class QWidget;

// What the keyboard window asks of the notepad view that holds it. The view
// is the hub through which the text passes between the pad, the notepad,
// the last-use file and the clipboard.
class KeyboardHost
{
public:
    virtual ~KeyboardHost() = default;

    // The notepad's whole text, with CR LF line breaks.
    virtual std::u16string ViewText() const = 0;
    // Replaces the notepad's whole text (select all, clear, set).
    virtual void SetViewText(const std::u16string &text) = 0;

    // The board is the one in use.
    virtual bool IsKeyboardUp() const = 0;
    virtual void SetKeyboardUpFlag(bool up) = 0;

    // Brings the board up full screen with the notepad's text in the pad.
    virtual void ShowKeyboard() = 0;
    // Gives the screen back to the notepad: the frame returns to the
    // rectangle saved at start with its taskbar strip and command bar.
    virtual void RestoreNotepadFrame(const QRect &frameRect) = 0;

    // Saves the notepad's text to LastUsed.txt; false (after its message)
    // when the save failed.
    virtual bool SaveLastUsedText() = 0;
    // Selects all of the notepad's text and copies it to the clipboard.
    virtual void CopyAllToClipboard() = 0;

    // The main window: the hot key lives on it and the final close goes to it.
    virtual QWidget *MainFrame() const = 0;

    // The preference sheet while it runs, null again when it has ended; the
    // main frame ignores the hardware button as long as one is set.
    virtual void SetPreferenceSheet(QWidget *sheet) = 0;
};

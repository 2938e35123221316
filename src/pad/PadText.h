#pragma once

#include "pad/PadHost.h"
#include "pad/PadLine.h"

#include <string>
#include <string_view>
#include <vector>

// The typing pad's text: a list of lines that is never empty, of which one at
// a time is edited through its copy m_strLine, with a caret, the first column
// shown at the start of the strip and a selection of columns whose two ends
// are both inclusive. Columns count UTF-16 code units, but the caret, the
// selection's ends and the first column shown never fall inside a pair. Operations end by asking the host to redraw unless they
// say otherwise; refusals at the limits beep and change nothing. The model
// draws nothing and knows nothing of rotation: widths come from the host.
class PadText
{
public:
    // Tabs never live in the lines: this character stands for one. It is
    // one of the private-use characters, which no text means anything by, so
    // that a text's own characters (the ellipsis the pad shows a tab as, on a
    // key of several key maps) never come back out as tabs.
    static constexpr char16_t m_chTab = u'\uE009';
    // How the pad shows a tab.
    static constexpr char16_t m_chTabShown = u'\u2026';

    explicit PadText(PadHost &host);

    // Editing at the caret.
    void InsertChar(char16_t ch);
    void Backspace();
    void DeleteChar();
    void NewLine();

    // Caret and line moves.
    void CaretLeft();
    void CaretRight();
    void CaretHome();
    void CaretEnd();
    void PrevLine();
    void NextLine();
    void GoToLine(int nLine);

    void ShowLineList();
    void HideLineList();
    void SelectLine();
    void ClearAll();

    // Brings the entry of the current line up to date with its edit copy;
    // anyone reading m_lines from outside calls it first.
    void CommitLine();
    void LoadLine();
    // Takes the selected columns off the line; does not redraw.
    void DeleteSelection();

    // Makes column c visible by moving the first shown column forwards only.
    void ScrollToShow(int c);
    // Number of visible characters whose width does not pass d pixels,
    // searched from the guess d / nAvgCharWidth.
    int HitTest(int d, int nAvgCharWidth) const;

    // The stylus: down puts the caret under it, a drag selects from the caret
    // to the character under the stylus, and the edge timers widen the
    // selection one column at a time. StylusDrag tells whether it changed
    // anything.
    void StylusDown(int nVisibleChars);
    bool StylusDrag(int nVisibleChars);
    void ExtendSelectionBack();
    void ExtendSelectionForward();

    // The characters of the shown selection that exist, with tabs given back
    // as TAB; empty when no selection is shown.
    std::u16string SelectedText() const;
    // Points m_strVisible at the part of the line from m_nFirstCol on. It is
    // a view, not a copy: a keystroke near the start of a very long line
    // would otherwise copy the whole rest of the line. It stays valid until
    // the line next changes, and every change ends in a redraw that renews it.
    void UpdateVisible();

    // Flat text: lines joined with CR LF, none after the last, tabs given
    // back as TAB. Reads m_lines as committed.
    std::u16string GetAllText() const;
    // Inserts a flat text at the caret; its line breaks make new lines. Does
    // not touch a shown selection.
    void InsertText(std::u16string_view text);

    static void ConvertTabs(std::u16string &s, bool bToTab);
    // Cuts a flat text at every CR LF, then what follows the last CR LF at
    // every LF; always yields at least one line, and an empty last one after
    // a final break.
    static void SplitLines(std::u16string_view text, std::vector<std::u16string> &out);

    int Length() const { return static_cast<int>(m_strLine.size()); }
    int LineCount() const { return static_cast<int>(m_lines.size()); }

    std::vector<std::u16string> m_lines;
    int m_nLine = 0;
    PadLine m_strLine;
    std::u16string_view m_strVisible;
    int m_nCaret = 0;
    int m_nFirstCol = 0;
    bool m_bSelection = false;
    int m_nSelStart = -1;
    int m_nSelEnd = -1;
    bool m_bRightHanded = false;
    bool m_bListShown = false;

private:
    // A character outside the basic plane takes two columns, a surrogate
    // pair; the column between its halves is no place to stop or cut.
    bool IsInsidePair(int c) const;
    int NextStop(int c) const { return c + 1 + (IsInsidePair(c + 1) ? 1 : 0); }
    int PrevStop(int c) const { return c - 1 - (IsInsidePair(c - 1) ? 1 : 0); }
    int StopAtOrBefore(int c) const { return IsInsidePair(c) ? c - 1 : c; }
    int StopAtOrAfter(int c) const { return IsInsidePair(c) ? c + 1 : c; }

    void ClearSelection();
    void MoveCaretTo(int nCaret);
    void ReplaceLine(std::u16string_view left, std::u16string_view middle, std::u16string_view right);
    int WidthOf(int nFirst, int nEnd) const;
    bool Fits(int nFirst, int nEnd) const;

    PadHost &m_host;
};

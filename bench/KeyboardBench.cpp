// Taps on the board, from the stylus going down to the stylus coming up, up to
// the images being ready.
#include "BenchBoard.h"

#include <benchmark/benchmark.h>

namespace {
constexpr int kSlotA = 30;
constexpr int kSlotShift = 52;
// A line of this length fills the strip about halfway through, so half the
// taps also scroll the line.
constexpr int kLineLength = 60;

void Tap(CKeyboardWnd &wnd, QPoint point)
{
    wnd.OnStylusDown(point);
    wnd.OnStylusUp();
}

// Press feedback, the character into the pad, the pad's line drawn and
// turned, release feedback.
void CharacterKeyTap(benchmark::State &state)
{
    BenchBoard board;
    CKeyboardWnd &wnd = board.Window();
    const QPoint key = board.KeyCentre(kSlotA);
    if (board.Pad().Length() == 0) {
        state.SkipWithError("the pad has no size");
        return;
    }
    int nTyped = 0;
    for (auto _ : state) {
        Tap(wnd, key);
        if (++nTyped == kLineLength) {
            state.PauseTiming();
            board.Pad().ClearAll();
            nTyped = 0;
            state.ResumeTiming();
        }
    }
    if (board.Pad().m_text.m_strLine != std::u16string(static_cast<size_t>(nTyped), u'a'))
        state.SkipWithError("the taps did not type their characters");
}
BENCHMARK(CharacterKeyTap);

// Shift on, Shift off: each tap chooses the plane again and composes the
// board. Whatever is kept from one plane change to the next, the screen must
// come out as a board drawn afresh in the same state.
void ShiftKeyTap(benchmark::State &state)
{
    BenchBoard board;
    CKeyboardWnd &wnd = board.Window();
    const QPoint key = board.KeyCentre(kSlotShift);
    for (auto _ : state)
        Tap(wnd, key);
    // Compared with Shift on: that plane came from what was kept.
    if (!wnd.IsShift())
        Tap(wnd, key);
    BenchBoard fresh;
    fresh.Window().SetModifiers(true, false, false, false);
    fresh.Window().ComposeKeyboard();
    if (fresh.Window().ScreenImage() != wnd.ScreenImage())
        state.SkipWithError("the composed board differs from one drawn afresh");
}
BENCHMARK(ShiftKeyTap);
}

// The pad's text and its line list with many lines: each figure is compared
// with the same work on fewer lines, so what grows faster than the text shows.
#include "BenchBoard.h"
#include "BenchSizes.h"

#include <benchmark/benchmark.h>

#include <QScrollBar>
#include <QSignalBlocker>

namespace {
// One step of the scroll bar: the lines in view drawn, turned and shown.
void LineListScrollStep(benchmark::State &state)
{
    BenchBoard board;
    board.SetLines(MakeLines(static_cast<int>(state.range(0))));
    CLineListWnd &list = board.Pad().LineList();
    list.Rebuild();
    // Set without the scroll bar's signal, which would render once more.
    const QSignalBlocker blocker(list.ScrollBar());
    int nPos = std::max(list.ScrollMax(), 0) / 2;
    for (auto _ : state) {
        list.ScrollBar()->setValue(nPos);
        list.Render();
        nPos = nPos < list.ScrollMax() ? nPos + 1 : 0;
    }
}
BENCHMARK(LineListScrollStep)->Arg(10)->Arg(Scaled(100000));

// A scroll step through the middle of one line of 1,000,000 characters,
// with 50-character lines before and after it: only the part in view may be
// laid out.
void LineListScrollStepLongLine(benchmark::State &state)
{
    BenchBoard board;
    std::vector<std::u16string> lines = MakeLines(20);
    lines.insert(lines.begin() + 10, MakeLongLine(static_cast<int>(Scaled(1000000))));
    board.SetLines(std::move(lines));
    CLineListWnd &list = board.Pad().LineList();
    list.Rebuild();
    const QSignalBlocker blocker(list.ScrollBar());
    const int nMiddle = std::max(list.ScrollMax(), 0) / 2;
    int nPos = nMiddle;
    for (auto _ : state) {
        list.ScrollBar()->setValue(nPos);
        list.Render();
        nPos = nPos < nMiddle + 100 ? nPos + 1 : nMiddle;
    }
}
BENCHMARK(LineListScrollStepLongLine);

// Opening the list: every line copied and measured, the scroll range set.
void LineListRebuild(benchmark::State &state)
{
    BenchBoard board;
    board.SetLines(MakeLines(static_cast<int>(state.range(0))));
    CLineListWnd &list = board.Pad().LineList();
    for (auto _ : state)
        list.Rebuild();
    if (list.Layout().Count() != state.range(0))
        state.SkipWithError("the list did not take every line");
}
BENCHMARK(LineListRebuild)->Arg(Scaled(10000))->Arg(Scaled(100000))->Unit(benchmark::kMillisecond);

// A keystroke in one line of 1,000,000 characters: typed near its start
// (0) or at its end (1). The strip shows the same few characters either way,
// so either should cost about what a keystroke in a short line does.
void LongLineKeystroke(benchmark::State &state)
{
    BenchBoard board;
    board.SetLines({MakeLongLine(static_cast<int>(Scaled(1000000)))});
    PadText &text = board.Pad().m_text;
    if (state.range(0) == 1) {
        text.m_nCaret = text.Length();
        text.m_nFirstCol = text.Length() - 10;
    } else {
        text.m_nCaret = 10;
    }
    for (auto _ : state)
        board.Pad().InsertChar(u'a');
    if (text.Length() != Scaled(1000000) + static_cast<int64_t>(state.iterations()))
        state.SkipWithError("the keystrokes did not type their characters");
}
BENCHMARK(LongLineKeystroke)->Arg(0)->Arg(1);

// A paste of a flat text of that many characters in lines of 50 into an
// empty pad.
void PasteText(benchmark::State &state)
{
    BenchBoard board;
    const std::u16string text = MakeFlatText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        board.Pad().ClearAll();
        state.ResumeTiming();
        board.Pad().InsertText(text);
    }
    board.Pad().CommitLine();
    if (board.Pad().GetAllText() != text)
        state.SkipWithError("the pasted text did not come back whole");
}
BENCHMARK(PasteText)->Arg(Scaled(100000))->Arg(Scaled(1000000))->Unit(benchmark::kMillisecond);

// The whole text out (to the notepad, the file, the clipboard) and cut into
// lines again (from them). Letting go of the lines afterwards is not timed.
void GetAllTextSplitLines(benchmark::State &state)
{
    BenchBoard board;
    board.SetLines(MakeLines(static_cast<int>(state.range(0))));
    std::vector<std::u16string> lines;
    for (auto _ : state) {
        const std::u16string text = board.Pad().GetAllText();
        PadText::SplitLines(text, lines);
        benchmark::DoNotOptimize(lines.data());
        state.PauseTiming();
        std::vector<std::u16string>().swap(lines);
        state.ResumeTiming();
    }
}
BENCHMARK(GetAllTextSplitLines)->Arg(Scaled(10000))->Arg(Scaled(100000))->Unit(benchmark::kMillisecond);
}

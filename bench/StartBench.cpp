// The program started as a whole process, up to its first painted board:
// its wall time, its processor time and its peak resident memory.
#include "BenchEnvironment.h"
#include "BenchSizes.h"
#include "ProcessRun.h"

#include <benchmark/benchmark.h>

namespace {
const std::vector<std::string> kArguments = {"-platform", "offscreen", "--quit-after-first-paint"};

void RunStarts(benchmark::State &state, const BenchEnvironment &environment)
{
    std::vector<std::string> arguments = kArguments;
    arguments.push_back("--home");
    arguments.push_back(environment.ProgramFolder().toStdString());
    RunProcessIterations(state, QUORLEX_PROGRAM, arguments);
}

// The board comes up at once over an empty notepad, as it does by default.
void ProgramStart(benchmark::State &state)
{
    const BenchEnvironment environment;
    RunStarts(state, environment);
}
BENCHMARK(ProgramStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(QuickRun() ? 1 : 10);

// The same start with the last text, that many lines of 50 characters,
// brought back into the notepad and handed to the pad.
void ProgramStartWithLines(benchmark::State &state)
{
    const BenchEnvironment environment;
    environment.WriteSetting(u"On Start Action", 1);
    environment.WriteSetting(u"Open KB On Start", 1);
    environment.WriteLastUsedText(MakeFlatText(static_cast<int>(state.range(0)) * 52));
    RunStarts(state, environment);
}
BENCHMARK(ProgramStartWithLines)
    ->Arg(Scaled(100000))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(QuickRun() ? 1 : 3);
}

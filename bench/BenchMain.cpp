#include "BenchSizes.h"
#include "TargetReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <iostream>
#include <malloc.h>

namespace {
std::string Sized(const char *name, int64_t nFull)
{
    return std::string(name) + "/" + std::to_string(Scaled(nFull));
}

std::vector<TargetReporter::Target> Targets()
{
    using M = TargetReporter::Measure;
    return {
        {"a tap on a character key", "CharacterKeyTap", "FullScreenCopy", M::CpuTime, M::CpuTime, 2},
        {"a tap on Shift", "ShiftKeyTap", "FullScreenCopy", M::CpuTime, M::CpuTime, 4},
        {"line list scroll step, x10^4 lines", Sized("LineListScrollStep", 100000), "LineListScrollStep/10",
         M::CpuTime, M::CpuTime, 2},
        {"line list step in a 10^6-char line", "LineListScrollStepLongLine", Sized("LineListScrollStep", 100000),
         M::CpuTime, M::CpuTime, 2},
        {"keystroke at the start of a long line", "LongLineKeystroke/0", "LongLineKeystroke/1", M::CpuTime,
         M::CpuTime, 2},
        {"line list Rebuild, x10 lines", Sized("LineListRebuild", 100000), Sized("LineListRebuild", 10000),
         M::CpuTime, M::CpuTime, 12},
        {"line list Rebuild : GetAllText+SplitLines", Sized("LineListRebuild", 100000),
         Sized("GetAllTextSplitLines", 100000), M::CpuTime, M::CpuTime, 5},
        {"InsertText (paste), x10 text", Sized("PasteText", 1000000), Sized("PasteText", 100000), M::CpuTime,
         M::CpuTime, 12},
        {"GetAllText + SplitLines, x10 lines", Sized("GetAllTextSplitLines", 100000),
         Sized("GetAllTextSplitLines", 10000), M::CpuTime, M::CpuTime, 12},
        {"start to the first painted board, CPU", "ProgramStart", "MinimalQtStart", M::ProcessCpu, M::ProcessCpu,
         1.3},
        {"start to the first painted board, wall", "ProgramStart", "MinimalQtStart", M::WallTime, M::WallTime, 1.5},
        {"peak memory of that start", "ProgramStart", "MinimalQtStart", M::PeakMemory, M::PeakMemory, 1.3},
        {"peak memory with many lines in the pad", Sized("ProgramStartWithLines", 100000), "ProgramStart",
         M::PeakMemory, M::PeakMemory, 3},
    };
}
}

int main(int argc, char *argv[])
{
    // Memory freed by one iteration stays with the process for the next: by
    // default the allocator hands large blocks back to the kernel and takes
    // them again, page by page, at a rate that swings from run to run and
    // would decide the ratios of the large texts instead of the work itself.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TargetReporter reporter(Targets());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTargets(std::cout);
    benchmark::Shutdown();
    // A missed target is a finding, not a failure; a benchmark whose own
    // check failed is one.
    return reporter.ErrorCount() == 0 ? 0 : 1;
}

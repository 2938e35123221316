#include "TargetReporter.h"

#include <cstdio>

TargetReporter::TargetReporter(std::vector<Target> targets) : m_targets(std::move(targets)) {}

void TargetReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        if (run.error_occurred) {
            ++m_nErrors;
            continue;
        }
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single)
            continue;
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty())
            name += "/" + run.run_name.args;
        Figures &figures = m_figures[name];
        const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
        figures.m_dCpuSeconds = run.GetAdjustedCPUTime() / unit;
        figures.m_dWallSeconds = run.GetAdjustedRealTime() / unit;
        const auto cpu = run.counters.find("cpu_ms");
        figures.m_dProcessCpuSeconds = cpu != run.counters.end() ? cpu->second.value / 1e3 : 0;
        const auto peak = run.counters.find("peak_kb");
        figures.m_dPeakKilobytes = peak != run.counters.end() ? peak->second.value : 0;
        figures.m_bMedian = median;
    }
    ConsoleReporter::ReportRuns(runs);
}

const TargetReporter::Figures *TargetReporter::Find(const std::string &name) const
{
    const auto it = m_figures.find(name);
    return it != m_figures.end() ? &it->second : nullptr;
}

double TargetReporter::Value(const Figures &figures, Measure measure)
{
    switch (measure) {
    case Measure::CpuTime:
        return figures.m_dCpuSeconds;
    case Measure::WallTime:
        return figures.m_dWallSeconds;
    case Measure::ProcessCpu:
        return figures.m_dProcessCpuSeconds;
    case Measure::PeakMemory:
        return figures.m_dPeakKilobytes;
    case Measure::Ratio:
        break;
    }
    return 0;
}

std::string TargetReporter::Format(double value, Measure measure)
{
    char text[32];
    if (measure == Measure::Ratio)
        std::snprintf(text, sizeof text, "%.2f", value);
    else if (measure == Measure::PeakMemory)
        std::snprintf(text, sizeof text, "%.1f MB", value / 1024);
    else if (value >= 1e-1)
        std::snprintf(text, sizeof text, "%.3f s", value);
    else if (value >= 1e-4)
        std::snprintf(text, sizeof text, "%.2f ms", value * 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f us", value * 1e6);
    return text;
}

int TargetReporter::PrintTargets(std::ostream &out) const
{
    char line[256];
    std::snprintf(line, sizeof line, "\n%-40s %-28s %10s   %-24s %10s %7s %6s  %s\n", "Target", "Figure", "",
                  "Reference", "", "Ratio", "Limit", "Result");
    out << line;
    int nMissed = 0;
    for (const Target &target : m_targets) {
        const Figures *figure = Find(target.m_strFigure);
        const Figures *reference = Find(target.m_strReference);
        const double value = figure ? Value(*figure, target.m_measure) : 0;
        const double base = reference ? Value(*reference, target.m_referenceMeasure) : 0;
        const bool measured = figure != nullptr && reference != nullptr && base > 0;
        const double ratio = measured ? value / base : 0;
        const bool pass = measured && ratio <= target.m_dLimit;
        nMissed += measured && !pass ? 1 : 0;
        std::snprintf(line, sizeof line, "%-40s %-28s %10s   %-24s %10s %7s %6.1f  %s\n", target.m_strWhat.c_str(),
                      target.m_strFigure.c_str(), measured ? Format(value, target.m_measure).c_str() : "-",
                      target.m_strReference.c_str(), measured ? Format(base, target.m_referenceMeasure).c_str() : "-",
                      measured ? Format(ratio, Measure::Ratio).c_str() : "-", target.m_dLimit,
                      !measured ? "not measured" : pass ? "PASS" : "MISS");
        out << line;
    }
    const bool medians = !m_figures.empty() && m_figures.begin()->second.m_bMedian;
    out << (medians ? "Figures are medians of the repetitions: times in the process are its CPU time; whole "
                      "processes are timed by wall clock and by the CPU time they used.\n"
                    : "Figures are single runs (no repetitions): not fit for a verdict.\n");
    return nMissed;
}

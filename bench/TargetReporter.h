#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// Reports every run on the console as usual and keeps each benchmark's
// figures: the median of the repetitions, or the one run when there is no
// repetition. At the end it prints each target as the ratio of a figure to
// its yardstick measured in the same run, so that the verdict does not hang
// on how fast or how busy the machine is.
class TargetReporter : public benchmark::ConsoleReporter
{
public:
    // CpuTime and WallTime are the benchmark's own times; ProcessCpu and
    // PeakMemory are the counters cpu_ms and peak_kb of a whole process.
    enum class Measure { CpuTime, WallTime, ProcessCpu, PeakMemory, Ratio };

    struct Target {
        std::string m_strWhat;
        std::string m_strFigure;    // benchmark name with its argument
        std::string m_strReference; // the same for the yardstick
        Measure m_measure;
        Measure m_referenceMeasure;
        double m_dLimit; // the ratio must not exceed this
    };

    explicit TargetReporter(std::vector<Target> targets);

    void ReportRuns(const std::vector<Run> &runs) override;

    // Benchmarks that stopped with an error: their checks failed or their
    // program did not run.
    int ErrorCount() const { return m_nErrors; }

    // The table of targets with PASS or MISS each; targets whose figures were
    // not measured (filtered out, or failed) say so. Returns the number of
    // targets missed.
    int PrintTargets(std::ostream &out) const;

private:
    struct Figures {
        double m_dCpuSeconds = 0;
        double m_dWallSeconds = 0;
        double m_dProcessCpuSeconds = 0;
        double m_dPeakKilobytes = 0;
        bool m_bMedian = false;
    };

    const Figures *Find(const std::string &name) const;
    static double Value(const Figures &figures, Measure measure);
    static std::string Format(double value, Measure measure);

    std::vector<Target> m_targets;
    std::map<std::string, Figures> m_figures;
    int m_nErrors = 0;
};

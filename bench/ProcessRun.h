#pragma once

#include <string>
#include <vector>

// One run of a program as a whole process: its wall time, the processor time
// it used and its own peak resident memory, as the small helper peak_of
// measures them. A program that
// has not ended within the time allowed is killed, and the run counts as
// failed.
struct ProcessRun {
    bool m_bOk = false;
    double m_dSeconds = 0;
    double m_dCpuSeconds = 0;
    long m_nPeakKilobytes = 0;
};

ProcessRun RunProcess(const std::string &program, const std::vector<std::string> &arguments,
                      int nTimeoutMilliseconds = 20000);

namespace benchmark {
class State;
}

// Runs the program once per iteration, each run's wall time being the
// iteration's time (for UseManualTime). The counters cpu_ms (processor time
// per run) and peak_kb (the highest peak of the runs) go with the figure.
void RunProcessIterations(benchmark::State &state, const std::string &program,
                          const std::vector<std::string> &arguments);

#pragma once

#include <string>
#include <vector>

// One run of a program as a whole process: its wall time and its own peak
// resident memory, as the small helper peak_of measures them. A program that
// has not ended within the time allowed is killed, and the run counts as
// failed.
struct ProcessRun {
    bool m_bOk = false;
    double m_dSeconds = 0;
    long m_nPeakKilobytes = 0;
};

ProcessRun RunProcess(const std::string &program, const std::vector<std::string> &arguments,
                      int nTimeoutMilliseconds = 20000);

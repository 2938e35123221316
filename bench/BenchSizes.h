#pragma once

#include <cstdint>
#include <cstdlib>

// The CI smoke run sets QUORLEX_BENCH_QUICK: every benchmark still runs, on
// texts a tenth as long and with single process starts, so that a debug
// build gets through in well under a minute. Read when the benchmarks are
// registered, before main.
inline bool QuickRun()
{
    static const bool quick = std::getenv("QUORLEX_BENCH_QUICK") != nullptr;
    return quick;
}

inline int64_t Scaled(int64_t nFull)
{
    return QuickRun() ? nFull / 10 : nFull;
}

#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise ends the run at once, so that libFuzzer keeps the input
// that broke it.
inline void FuzzCheck(bool bHolds, const char *what)
{
    if (bHolds)
        return;
    std::fprintf(stderr, "Broken: %s\n", what);
    std::abort();
}

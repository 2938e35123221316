// Runs a program and reports its wall time, the processor time it used
// (user and system) and its own peak resident memory: "SECONDS CPU-SECONDS
// KILOBYTES" on standard output, and the program's exit status as its own. The program is forked from this small process on purpose: Linux
// gives a child, as its peak, at least the memory of the process it was
// started from, so a large caller would hide the figure it wants.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fputs("usage: peak_of PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        // Goes when this process goes, so that a timeout leaves nothing behind.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // Standard output carries the report alone.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return 2;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                              + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.6f %.6f %ld\n", seconds, cpuSeconds, usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

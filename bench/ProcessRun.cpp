#include "ProcessRun.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {
// Waits for the end of the process without polling, so that the moment it
// ends is seen at once; false when it is still running after the timeout.
bool WaitForEnd(pid_t pid, int nTimeoutMilliseconds)
{
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0)
        return true; // cannot watch it: waitpid will block until it ends
    pollfd watch{pidfd, POLLIN, 0};
    int nReady;
    while ((nReady = poll(&watch, 1, nTimeoutMilliseconds)) < 0 && errno == EINTR) {
    }
    close(pidfd);
    return nReady != 0;
}

// Starts peak_of with the program, its report going into the pipe.
pid_t Spawn(const std::string &program, const std::vector<std::string> &arguments, int reportFd, int unusedFd)
{
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(QUORLEX_PEAK_OF));
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, reportFd, STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, reportFd);
    posix_spawn_file_actions_addclose(&actions, unusedFd);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}
}

ProcessRun RunProcess(const std::string &program, const std::vector<std::string> &arguments,
                      int nTimeoutMilliseconds)
{
    ProcessRun run;
    int fds[2];
    if (pipe(fds) != 0)
        return run;
    const pid_t pid = Spawn(program, arguments, fds[1], fds[0]);
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return run;
    }
    const bool ended = WaitForEnd(pid, nTimeoutMilliseconds);
    if (!ended)
        kill(pid, SIGKILL);
    int status = 0;
    const bool waited = waitpid(pid, &status, 0) == pid;
    char report[64] = {};
    const ssize_t nRead = ended ? read(fds[0], report, sizeof report - 1) : 0;
    close(fds[0]);
    run.m_bOk = waited && ended && WIFEXITED(status) && WEXITSTATUS(status) == 0 && nRead > 0
                && std::sscanf(report, "%lf %lf %ld", &run.m_dSeconds, &run.m_dCpuSeconds, &run.m_nPeakKilobytes) == 3;
    return run;
}

void RunProcessIterations(benchmark::State &state, const std::string &program,
                          const std::vector<std::string> &arguments)
{
    long nPeak = 0;
    double dCpuMilliseconds = 0;
    for (auto _ : state) {
        const ProcessRun run = RunProcess(program, arguments);
        if (!run.m_bOk) {
            state.SkipWithError("the program did not run to its end");
            return;
        }
        state.SetIterationTime(run.m_dSeconds);
        dCpuMilliseconds += run.m_dCpuSeconds * 1e3;
        nPeak = std::max(nPeak, run.m_nPeakKilobytes);
    }
    state.counters["cpu_ms"] = benchmark::Counter(dCpuMilliseconds, benchmark::Counter::kAvgIterations);
    state.counters["peak_kb"] = static_cast<double>(nPeak);
}

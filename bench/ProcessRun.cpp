#include "ProcessRun.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/resource.h>
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
        return true; // cannot watch it: wait4 will block until it ends
    pollfd watch{pidfd, POLLIN, 0};
    int nReady;
    while ((nReady = poll(&watch, 1, nTimeoutMilliseconds)) < 0 && errno == EINTR) {
    }
    close(pidfd);
    return nReady != 0;
}
}

ProcessRun RunProcess(const std::string &program, const std::vector<std::string> &arguments,
                      int nTimeoutMilliseconds)
{
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return run;
    const bool ended = WaitForEnd(pid, nTimeoutMilliseconds);
    if (!ended)
        kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.m_dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.m_nPeakKilobytes = usage.ru_maxrss;
    run.m_bOk = ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

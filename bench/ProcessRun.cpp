#include "ProcessRun.h"

#include <chrono>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

ProcessRun RunProcess(const std::string &program, const std::vector<std::string> &arguments)
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
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.m_dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.m_nPeakKilobytes = usage.ru_maxrss;
    run.m_bOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

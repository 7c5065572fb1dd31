#include "ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>

extern char** environ;

namespace {

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

} // namespace

ChildTimes TimeChild(const std::vector<std::string>& argv) {
    std::vector<std::string> store(argv);
    std::vector<char*> args;
    for (std::string& arg : store)
        args.push_back(arg.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {0, 1, 2})
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    ChildTimes times;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return times;
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    times.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    times.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    times.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return times;
}

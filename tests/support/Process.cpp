#include "Process.h"

#include "TempDir.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
    TempDir dir;
    const std::string outPath = dir.Path() + "/out";
    const std::string errPath = dir.Path() + "/err";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<std::string> changes = environment;
    const auto changed = [&](const std::string& entry) {
        const std::string name = entry.substr(0, entry.find('='));
        for (const std::string& change : changes)
            if (change.substr(0, change.find('=')) == name)
                return true;
        return false;
    };
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        if (changed(name))
            continue;
        const std::string folder = dir.Path() + "/" + name;
        if (mkdir(folder.c_str(), 0700) != 0)
            throw std::runtime_error("cannot create " + folder);
        changes.push_back(std::string(name) + "=" + folder);
    }
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e)
        if (!changed(*e))
            env.emplace_back(*e);
    for (const std::string& change : changes)
        if (change.find('=') != std::string::npos)
            env.push_back(change);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    std::vector<std::string> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0) {
    }
    ProcessResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    result.out = ReadWholeFile(outPath);
    result.err = ReadWholeFile(errPath);
    return result;
}

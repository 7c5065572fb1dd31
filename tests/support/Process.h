#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int status = -1; // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs a program with the given arguments and environment changes
// ("NAME=value" sets, a bare "NAME" removes), standard input from /dev/null,
// and collects its output. Unless the changes name them, XDG_CONFIG_HOME and
// XDG_RUNTIME_DIR are folders of the process's own, gone when it is: no
// test's program reads or writes the user's settings.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});

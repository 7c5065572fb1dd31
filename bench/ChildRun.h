#pragma once

#include <string>
#include <vector>

// One run of a program as a child process, its output discarded: what a
// user's `program args > /dev/null` costs, start-up included.
struct ChildRun {
    int status = -1;       // exit status, or 128 + signal
    double cpuSeconds = 0; // user and system time of the child
    double wallSeconds = 0;
};

// `environment` holds "NAME=value" entries added to the parent's.
ChildRun RunDiscardingOutput(const std::string& program, const std::vector<std::string>& args,
                             const std::vector<std::string>& environment);

#pragma once

#include <string>
#include <vector>

// How long a program took, run to its end with its output thrown away.
struct ChildTimes {
    double wallSeconds = 0;
    double cpuSeconds = 0; // user and system, of the child and its own children
    bool succeeded = false;
};

// Runs `argv` (the program found on PATH) with standard input and output on
// /dev/null.
ChildTimes TimeChild(const std::vector<std::string>& argv);

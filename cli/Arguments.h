#pragma once

#include <string>
#include <vector>

// What the command line asks for.
struct Arguments {
    enum class Mode { Window, Info, Summary, Help, Version };
    Mode mode = Mode::Window;
    std::string file; // empty in the window mode without a file
    std::vector<std::string> imports;
    bool highlight = false;
};

struct ParsedArguments {
    bool ok = false;
    Arguments arguments;
    std::string error; // why the arguments were refused
};

ParsedArguments ParseArguments(const std::vector<std::string>& args);

extern const char* const kUsageText;

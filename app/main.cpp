#include "CommandLine.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.ok)
        return ReportUsageError(parsed.error, stderr);
    return RunConsoleMode(parsed.arguments, stdout, stderr);
}

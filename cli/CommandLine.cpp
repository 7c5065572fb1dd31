#include "CommandLine.h"

#include "DataCommands.h"
#include "ExportCommand.h"
#include "FindCommands.h"
#include "OverviewCommand.h"
#include "Version.h"

namespace quib {

int ReportUsageError(const std::string& error, std::FILE* err) {
    std::fprintf(err, "quib: %s\n%s", error.c_str(), kUsageText);
    return 2;
}

int RunConsoleMode(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    switch (arguments.mode) {
    case Arguments::Mode::Help:
        std::fputs(kUsageText, out);
        return 0;
    case Arguments::Mode::Version:
        std::fprintf(out, "Quib %s\n", kQuibVersion);
        return 0;
    case Arguments::Mode::Info:
        return RunInfo(arguments, out, err);
    case Arguments::Mode::Summary:
        return RunSummary(arguments, out, err);
    case Arguments::Mode::Check:
        return RunCheck(arguments, out, err);
    case Arguments::Mode::Export:
        return RunExport(arguments, err);
    case Arguments::Mode::Overview:
        return RunOverview(arguments, err);
    case Arguments::Mode::Find:
        return RunFind(arguments, out, err);
    case Arguments::Mode::Unpaired:
        return RunUnpaired(arguments, out, err);
    case Arguments::Mode::Window:
        break;
    }
    return ReportUsageError("the window is not available in this build", err);
}

} // namespace quib

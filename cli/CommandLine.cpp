#include "CommandLine.h"

#include "BlockOutput.h"
#include "DataCommands.h"
#include "ExportCommand.h"
#include "FindCommands.h"
#include "OverviewCommand.h"
#include "StatisticsCommand.h"
#include "Version.h"

#include <pthread.h>

#include <csignal>

namespace quib {

namespace {

// A reader that has closed its end of the pipe (quib --summary big.dat |
// head) wants nothing more: the program ends at its next write, by SIGPIPE
// as any filter does (status 141 in the shell), without a message, whatever
// the parent left ignored or blocked.
void EndAtAClosedPipe() {
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_UNBLOCK, &pipe, nullptr);
}

int WriteText(std::string_view text, std::FILE* out, std::FILE* err) {
    BlockOutput output(out);
    output.Write(text);
    return output.FinishStandardOutput(0, err);
}

} // namespace

int ReportUsageError(const std::string& error, std::FILE* err) {
    std::fprintf(err, "quib: %s\nTry 'quib --help'.\n", error.c_str());
    return 2;
}

int RunConsoleMode(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    EndAtAClosedPipe();
    switch (arguments.mode) {
    case Arguments::Mode::Help:
        return WriteText(kUsageText, out, err);
    case Arguments::Mode::Version:
        return WriteText(std::string("Quib ") + kQuibVersion + "\n", out, err);
    case Arguments::Mode::Info:
        return RunInfo(arguments, out, err);
    case Arguments::Mode::Summary:
        return RunSummary(arguments, out, err);
    case Arguments::Mode::Statistics:
        return RunStatistics(arguments, out, err);
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

#include "CommandLine.h"
#include "DataFileReader.h"
#include "MyQuibApp.h"
#include "OpenFailure.h"
#include "Resources.h"
#include "Version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

int RunWindow(int argc, char** argv, const std::string& file) {
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QString::fromLatin1(kQuibVersion));
    theApp.SetCommandLineFile(QString::fromLocal8Bit(file.c_str()));
    int status = 1;
    if (theApp.InitInstance())
        status = QApplication::exec();
    theApp.ExitInstance();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.ok)
        return ReportUsageError(parsed.error, stderr);
    if (parsed.arguments.mode == Arguments::Mode::Window) {
        const std::string& file = parsed.arguments.file;
        // A bad FILE is told before any window or display is involved.
        if (!file.empty()) {
            if (const ReadOutcome probe = ProbeLatticeFile(file); !probe.read) {
                ReportStartupFailure(CannotOpenMessage(file, probe.error));
                return 1;
            }
        }
        if (!HasDisplay()) {
            std::fputs("quib: no display to show the window on (DISPLAY is not set); "
                       "--export writes pictures without one\n",
                       stderr);
            return 1;
        }
        return RunWindow(argc, argv, file);
    }
    return RunConsoleMode(parsed.arguments, stdout, stderr);
}

#include "CommandLine.h"
#include "DataFileReader.h"
#include "DisplayCheck.h"
#include "MyQuibApp.h"
#include "OpenFailure.h"
#include "Resources.h"
#include "Version.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Qt sees its own options alone: the program's name, then those options.
int RunWindow(char* program, const quib::Arguments& arguments) {
    std::vector<std::string> qtArguments = arguments.qtOptions;
    std::vector<char*> qtArgv = {program};
    for (std::string& option : qtArguments)
        qtArgv.push_back(option.data());
    qtArgv.push_back(nullptr);
    int qtArgc = int(qtArgv.size()) - 1;
    QApplication application(qtArgc, qtArgv.data());
    QApplication::setApplicationVersion(QString::fromLatin1(kQuibVersion));
    theApp.SetCommandLineFile(QString::fromLocal8Bit(arguments.file.c_str()));
    QStringList imports;
    for (const std::string& path : arguments.imports)
        imports << QString::fromLocal8Bit(path.c_str());
    theApp.SetCommandLineImports(imports);
    int status = 1;
    if (theApp.InitInstance())
        status = QApplication::exec();
    theApp.ExitInstance();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const quib::ParsedArguments parsed = quib::ParseArguments(args);
    if (!parsed.ok)
        return quib::ReportUsageError(parsed.error, stderr);
    if (parsed.arguments.mode == quib::Arguments::Mode::Window) {
        const std::string& file = parsed.arguments.file;
        // A bad FILE is told before any window or display is involved.
        if (!file.empty()) {
            if (const std::error_code error = quib::ProbeLatticeFile(file)) {
                quib::ReportStartupFailure(quib::CannotOpenMessage(file, error));
                return 1;
            }
        }
        switch (const quib::DisplayAnswer display = quib::CheckDisplay(parsed.arguments.qtOptions);
                display.check) {
        case quib::DisplayCheck::Reachable:
            break;
        case quib::DisplayCheck::NotSet:
            std::fputs("quib: no display to show the window on (DISPLAY is not set); "
                       "--export writes pictures without one\n",
                       stderr);
            return 1;
        case quib::DisplayCheck::Unreachable:
            std::fprintf(stderr,
                         "quib: cannot connect to display %s; --export writes pictures without "
                         "one\n",
                         display.name.c_str());
            return 1;
        }
        return RunWindow(argv[0], parsed.arguments);
    }
    return quib::RunConsoleMode(parsed.arguments, stdout, stderr);
}

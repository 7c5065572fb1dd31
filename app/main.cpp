#include "CommandLine.h"
#include "MyQuibApp.h"
#include "Resources.h"

#include <QApplication>

#include <string>
#include <vector>

namespace {

int RunWindow(int argc, char** argv, const std::string& file) {
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QString::fromLatin1(kFileVersion));
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
    if (parsed.arguments.mode == Arguments::Mode::Window)
        return RunWindow(argc, argv, parsed.arguments.file);
    return RunConsoleMode(parsed.arguments, stdout, stderr);
}

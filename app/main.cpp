#include "CommandLine.h"
#include "DataFileReader.h"
#include "MessageBox.h"
#include "MyQuibApp.h"
#include "Resources.h"

#include <QApplication>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// 0 when the file can be opened and read, else why not. Tells a bad FILE
// before any window or display is involved.
int ReadProbe(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    char byte;
    const int error = read(fd, &byte, 1) < 0 ? errno : 0;
    close(fd);
    return error;
}

bool AnySet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

bool HasDisplay() {
    return AnySet({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
}

// Started from a launcher or a file manager, nobody reads standard error:
// the reason goes into a box as well, where there is a screen to show it on.
void ShowStartupFailure(int argc, char** argv, const std::string& message) {
    if (isatty(STDERR_FILENO) || !AnySet({"DISPLAY", "WAYLAND_DISPLAY"}))
        return;
    QApplication application(argc, argv);
    if (QGuiApplication::platformName() == QLatin1String("offscreen") ||
        QGuiApplication::platformName() == QLatin1String("minimal"))
        return;
    QString text = QString::fromLocal8Bit(message.c_str());
    text[0] = text[0].toUpper();
    AfxMessageBox(text + '.', MB_ICONEXCLAMATION);
}

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
    if (parsed.arguments.mode == Arguments::Mode::Window) {
        const std::string& file = parsed.arguments.file;
        if (const int error = file.empty() ? 0 : ReadProbe(file)) {
            const std::string message = CannotOpenMessage(file, error);
            std::fprintf(stderr, "quib: %s\n", message.c_str());
            ShowStartupFailure(argc, argv, message);
            return 1;
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

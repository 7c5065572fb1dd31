#include "OpenFailure.h"

#include "DisplayCheck.h"
#include "MessageBox.h"

#include <QApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace quib {

void ReportStartupFailure(const std::string& message) {
    std::fprintf(stderr, "quib: %s\n", message.c_str());
    // A display that does not answer would end Qt with an abort.
    if (isatty(STDERR_FILENO) ||
        (QApplication::instance() == nullptr && CheckDisplay({}).check != DisplayCheck::Reachable))
        return;
    std::unique_ptr<QApplication> application;
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "quib";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        AfxMessageBox(AsSentence(QString::fromLocal8Bit(message.c_str())), MB_ICONEXCLAMATION);
}

} // namespace quib

#include "FigureOutput.h"

#include "PictureFile.h"

namespace quib {

std::unique_ptr<QGuiApplication> StartOffscreenPainting() {
    if (QGuiApplication::instance() != nullptr)
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "quib";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

QString LocalPath(const std::string& path) {
    return QString::fromLocal8Bit(path.c_str());
}

QStringList DataFilesOf(const Arguments& arguments) {
    QStringList dataFiles = {LocalPath(arguments.file)};
    for (const std::string& path : arguments.imports)
        dataFiles << LocalPath(path);
    return dataFiles;
}

int ReportCannotWrite(std::FILE* err, const QString& path, std::error_code error) {
    std::fprintf(err, "quib: %s\n", qPrintable(CannotWriteMessage(path, error)));
    return 1;
}

} // namespace quib

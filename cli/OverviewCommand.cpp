#include "OverviewCommand.h"

#include "DataCommands.h"
#include "FigureOutput.h"
#include "LatticeDocument.h"
#include "OverviewFigureFile.h"

#include <QFileInfo>

#include <new>
#include <optional>

namespace quib {

int RunOverview(const Arguments& arguments, std::FILE* err) {
    LatticeDocument document;
    if (!LoadDocument(document, arguments, err))
        return 1;
    const std::unique_ptr<QGuiApplication> application = StartOffscreenPainting();
    const QString output = LocalPath(arguments.output);
    std::optional<Overview> overview;
    try {
        overview.emplace(document, arguments.overviewMode, arguments.values);
    } catch (const std::bad_alloc&) {
        return ReportCannotWrite(err, output, std::make_error_code(std::errc::not_enough_memory));
    }
    OverviewFigureFile figure;
    figure.format = arguments.format;
    figure.size = QSize(arguments.width, arguments.height);
    // A figure for a paper names its file.
    figure.style.title = QFileInfo(LocalPath(arguments.file)).fileName();
    const std::error_code error =
        SaveOverviewFigure(*overview, figure, output, DataFilesOf(arguments));
    return error ? ReportCannotWrite(err, output, error) : 0;
}

} // namespace quib

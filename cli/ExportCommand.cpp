#include "ExportCommand.h"

#include "DataCommands.h"
#include "DrawingExtent.h"
#include "LatticeDocument.h"
#include "MyQuibView.h"
#include "PainterDC.h"
#include "RecordingDC.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Blank space kept beyond the drawing's right and bottom edges, 1/100 inch.
constexpr double kMarginUnits = 10;
constexpr int kPdfResolution = 1200;
constexpr int kSvgResolution = 96;

struct PictureSize {
    double widthInches;
    double heightInches;
};

int ResolutionOf(const Arguments& arguments) {
    switch (arguments.format) {
    case Arguments::Format::Png:
        return arguments.dpi;
    case Arguments::Format::Svg:
        return kSvgResolution;
    case Arguments::Format::Pdf:
        return kPdfResolution;
    }
    return arguments.dpi;
}

int DotsPerMeter(int dpi) {
    return int(std::lround(dpi / 0.0254));
}

// The page starts at the logical point (0, 25) and ends a margin beyond the
// farthest figure or text the view draws.
PictureSize MeasurePicture(CMyQuibView& view, int dpi) {
    CRecordingDC recording(dpi);
    view.OnPrepareDC(&recording);
    view.OnDraw(&recording);

    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(DotsPerMeter(dpi));
    probe.setDotsPerMeterY(DotsPerMeter(dpi));
    QPainter painter(&probe);
    CPainterDC surface(painter);
    view.OnPrepareDC(&surface);
    const LogicalBounds bounds = DrawingExtent(recording, surface);
    const double right = std::max(bounds.maxX, 0.0) + kMarginUnits;
    const double bottom = std::min(bounds.minY, 25.0) - kMarginUnits;
    return {right / 100, (25 - bottom) / 100};
}

void Paint(CMyQuibView& view, QPainter& painter, const QRect& page) {
    painter.fillRect(page, Qt::white);
    CPainterDC surface(painter);
    view.OnPrepareDC(&surface);
    view.OnDraw(&surface);
}

bool WritePng(CMyQuibView& view, const Arguments& arguments, PictureSize size, QFile& file) {
    const int dpi = arguments.dpi;
    QImage image(int(std::ceil(size.widthInches * dpi)), int(std::ceil(size.heightInches * dpi)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter(dpi));
    image.setDotsPerMeterY(DotsPerMeter(dpi));
    {
        QPainter painter(&image);
        Paint(view, painter, image.rect());
    }
    return image.save(&file, "PNG");
}

bool WriteSvg(CMyQuibView& view, PictureSize size, QFile& file) {
    const QSize pixels(int(std::ceil(size.widthInches * kSvgResolution)),
                       int(std::ceil(size.heightInches * kSvgResolution)));
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setResolution(kSvgResolution);
    generator.setSize(pixels);
    generator.setViewBox(QRect(QPoint(0, 0), pixels));
    generator.setTitle(QStringLiteral("Quib"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    Paint(view, painter, QRect(QPoint(0, 0), pixels));
    return painter.end();
}

bool WritePdf(CMyQuibView& view, PictureSize size, QFile& file) {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setPageSize(QPageSize(QSizeF(size.widthInches, size.heightInches), QPageSize::Inch,
                                 QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Quib"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    Paint(view, painter, QRect(0, 0, writer.width(), writer.height()));
    return painter.end();
}

bool WritePicture(CMyQuibView& view, const Arguments& arguments, QFile& file) {
    const PictureSize size = MeasurePicture(view, ResolutionOf(arguments));
    switch (arguments.format) {
    case Arguments::Format::Png:
        return WritePng(view, arguments, size, file);
    case Arguments::Format::Svg:
        return WriteSvg(view, size, file);
    case Arguments::Format::Pdf:
        return WritePdf(view, size, file);
    }
    return false;
}

} // namespace

int RunExport(const Arguments& arguments, std::FILE* err) {
    CLatticeDocument document;
    if (!LoadDocument(document, arguments, err))
        return 1;

    // The picture needs fonts but no screen: whatever platform the
    // environment names, this mode draws offscreen. The view is a widget, so
    // the application is a widget application.
    std::unique_ptr<QApplication> application;
    if (QApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quib";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }
    CMyQuibView view;
    view.SetDocument(&document);
    const long long last = std::max(document.m_primaryRecords.GetSize() - 1, 0);
    view.m_nRecordIndex = int(std::clamp(arguments.record - 1LL, 0LL, last));
    view.m_nScale = arguments.scale;
    view.m_bHighlight = arguments.highlight;

    QFile file(QString::fromLocal8Bit(arguments.output.c_str()));
    const auto cannotWrite = [&] {
        std::fprintf(err, "quib: cannot write '%s': %s\n", arguments.output.c_str(),
                     qPrintable(file.errorString()));
        return 1;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return cannotWrite();
    const bool written = WritePicture(view, arguments, file) && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        const int status = cannotWrite();
        file.remove();
        return status;
    }
    return 0;
}

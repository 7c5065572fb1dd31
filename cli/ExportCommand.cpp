#include "ExportCommand.h"

#include "DataCommands.h"
#include "LatticeDocument.h"
#include "LatticePicture.h"
#include "PainterDC.h"

#include <QFile>
#include <QGuiApplication>
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
// farthest figure or text of the picture.
PictureSize MeasurePicture(LatticePicture& picture, int dpi) {
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(DotsPerMeter(dpi));
    probe.setDotsPerMeterY(DotsPerMeter(dpi));
    QPainter painter(&probe);
    CPainterDC surface(painter);
    picture.Prepare(&surface);
    const PictureCorner corner = picture.MeasureCorner(&surface);
    return {(corner.right + kMarginUnits) / 100, (25 - (corner.bottom - kMarginUnits)) / 100};
}

void Paint(LatticePicture& picture, QPainter& painter, const QRect& page) {
    PaintOnWhite(painter, page, [&picture](CDC* dc) {
        picture.Prepare(dc);
        picture.Draw(dc);
    });
}

bool WritePng(LatticePicture& picture, const Arguments& arguments, PictureSize size, QFile& file) {
    const int dpi = arguments.dpi;
    QImage image(int(std::ceil(size.widthInches * dpi)), int(std::ceil(size.heightInches * dpi)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter(dpi));
    image.setDotsPerMeterY(DotsPerMeter(dpi));
    {
        QPainter painter(&image);
        Paint(picture, painter, image.rect());
    }
    return image.save(&file, "PNG");
}

bool WriteSvg(LatticePicture& picture, PictureSize size, QFile& file) {
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
    Paint(picture, painter, QRect(QPoint(0, 0), pixels));
    return painter.end();
}

bool WritePdf(LatticePicture& picture, PictureSize size, QFile& file) {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setPageSize(QPageSize(QSizeF(size.widthInches, size.heightInches), QPageSize::Inch,
                                 QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Quib"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    Paint(picture, painter, QRect(0, 0, writer.width(), writer.height()));
    return painter.end();
}

bool WritePicture(LatticePicture& picture, const Arguments& arguments, QFile& file) {
    const PictureSize size = MeasurePicture(picture, ResolutionOf(arguments));
    switch (arguments.format) {
    case Arguments::Format::Png:
        return WritePng(picture, arguments, size, file);
    case Arguments::Format::Svg:
        return WriteSvg(picture, size, file);
    case Arguments::Format::Pdf:
        return WritePdf(picture, size, file);
    }
    return false;
}

} // namespace

int RunExport(const Arguments& arguments, std::FILE* err) {
    LatticeDocument document;
    if (!LoadDocument(document, arguments, err))
        return 1;

    // The picture needs fonts but no screen: whatever platform the
    // environment names, this mode draws offscreen. Qt's remarks on the
    // environment (no runtime folder, as over ssh) are not the user's
    // concern: this mode prints its own messages only.
    std::unique_ptr<QGuiApplication> application;
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        static int argc = 1;
        static char name[] = "quib";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    LatticePicture picture(&document);
    const long long last = std::max(document.m_primaryRecords.GetSize() - 1, 0);
    picture.m_nRecordIndex = int(std::clamp(arguments.record - 1LL, 0LL, last));
    picture.m_nScale = arguments.scale;
    picture.m_bHighlight = arguments.highlight;

    QFile file(QString::fromLocal8Bit(arguments.output.c_str()));
    const auto cannotWrite = [&] {
        std::fprintf(err, "quib: cannot write '%s': %s\n", arguments.output.c_str(),
                     qPrintable(file.errorString()));
        return 1;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return cannotWrite();
    const bool written = WritePicture(picture, arguments, file) && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        const int status = cannotWrite();
        file.remove();
        return status;
    }
    return 0;
}

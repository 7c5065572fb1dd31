#include "PictureFile.h"

#include "ErrorCodes.h"
#include "MeasuringSurface.h"
#include "PainterDC.h"
#include "WholeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace quib {

namespace {

// Blank space kept beyond the drawing's right and bottom edges, 1/100 inch.
constexpr double kMarginUnits = 10;
constexpr int kPdfResolution = 1200;
constexpr int kSvgResolution = 96;
// A picture fitted into a few pixels is drawn at no less than this and
// scaled down: texts drawn smaller lose their shapes, scaled they stay a
// smooth grey.
constexpr int kLeastFittedResolution = 48;

const char* Describe(PictureError error) {
    switch (error) {
    case PictureError::OpenDataFile:
        return "it is an open data file";
    case PictureError::NotDrawn:
        return "the picture could not be written";
    }
    return "unknown error";
}

} // namespace

std::error_code make_error_code(PictureError error) {
    return MakeErrorCode<PictureError, Describe>(error, "quib picture");
}

QSizeF PageInches(const PictureCorner& extent) {
    return {(extent.right + kMarginUnits) / 100,
            (extent.top - (extent.bottom - kMarginUnits)) / 100};
}

// Large enough for every page's picture, texts measured at the resolution
// they are written at.
QSizeF PageInches(const PicturePages& pages, int dpi) {
    MeasuringSurface probe(dpi, dpi);
    PictureCorner page;
    for (int k = 0; k < pages.count; ++k) {
        const PictureCorner extent = pages.make(k, probe.Surface()).Extent();
        page.right = std::max(page.right, extent.right);
        page.bottom = std::min(page.bottom, extent.bottom);
        page.top = std::max(page.top, extent.top);
    }
    return PageInches(page);
}

PicturePages RecordPages(const LatticeDocument& data, const PictureOptions& options,
                         const std::vector<int>& records) {
    return {int(records.size()), [&data, options, &records](int page, CDC* surface) {
                PictureOptions at = options;
                at.record = records[std::size_t(page)];
                return LatticePicture(data, at, surface);
            }};
}

bool IsDataFile(const QString& path, const QStringList& dataFiles) {
    std::error_code error;
    return std::any_of(dataFiles.begin(), dataFiles.end(), [&](const QString& data) {
        return std::filesystem::equivalent(QFile::encodeName(path).toStdString(),
                                           QFile::encodeName(data).toStdString(), error);
    });
}

namespace {

void Paint(const LatticePicture& picture, QPainter& painter, const QRect& page) {
    PaintOnWhite(painter, page, [&picture](CDC* dc) {
        picture.Prepare(dc);
        picture.Draw(dc);
    });
}

void Progress(const std::function<void(int pages)>& progress, int pages) {
    if (progress)
        progress(pages);
}

QImage DrawImage(const LatticePicture& picture, int dpi, QSizeF size) {
    QImage image(int(std::ceil(size.width() * dpi)), int(std::ceil(size.height() * dpi)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter(dpi));
    image.setDotsPerMeterY(DotsPerMeter(dpi));
    {
        QPainter painter(&image);
        Paint(picture, painter, image.rect());
    }
    return image;
}

// The resolution at which a page of `inches` is at least `fit` pixels on its
// longer side, so that fitting only ever scales it down.
int FittingResolution(QSizeF inches, int fit) {
    const double longer = std::max(inches.width(), inches.height());
    return std::max(kLeastFittedResolution, int(std::ceil(fit / longer)) + 1);
}

// The image scaled down into `fit` by `fit` pixels, aspect kept, its
// resolution scaled with it.
QImage Fitted(const QImage& image, int fit) {
    if (image.width() <= fit && image.height() <= fit)
        return image;
    QImage fitted = image.scaled(fit, fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const double factor = double(fitted.width()) / image.width();
    fitted.setDotsPerMeterX(int(std::lround(image.dotsPerMeterX() * factor)));
    fitted.setDotsPerMeterY(int(std::lround(image.dotsPerMeterY() * factor)));
    return fitted;
}

// A PNG or SVG holds one page: its own picture, the page fitted to it.
QImage DrawFirstPage(const PicturePages& pages, int dpi) {
    MeasuringSurface probe(dpi, dpi);
    const LatticePicture picture = pages.make(0, probe.Surface());
    return DrawImage(picture, dpi, PageInches(picture.Extent()));
}

QImage DrawFitted(const PicturePages& pages, int dpi, int fit) {
    MeasuringSurface probe(dpi, dpi);
    const QSizeF inches = PageInches(pages.make(0, probe.Surface()).Extent());
    return Fitted(DrawFirstPage(pages, FittingResolution(inches, fit)), fit);
}

// The first page's picture, drawn at `dpi` or, with `fit`, fitted inside
// fit by fit pixels. Encoded in memory first: a device that fails is then
// told by its own error, and the PNG library has nothing to complain of.
// A thumbnail is wanted at once and kept in a cache, so it is deflated at
// the fastest level; a picture for a paper gets the library's default.
bool WritePng(const PicturePages& pages, int dpi, int fit, QIODevice& device) {
    const QImage image = fit > 0 ? DrawFitted(pages, dpi, fit) : DrawFirstPage(pages, dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int fastestDeflate = 80; // Qt maps PNG quality 80 to zlib level 1
    return image.save(&buffer, "PNG", fit > 0 ? fastestDeflate : -1) &&
           device.write(bytes) == bytes.size();
}

bool WriteSvg(const PicturePages& pages, QIODevice& device) {
    MeasuringSurface probe(kSvgResolution, kSvgResolution);
    const LatticePicture picture = pages.make(0, probe.Surface());
    const QSizeF size = PageInches(picture.Extent());
    const QSize pixels(int(std::ceil(size.width() * kSvgResolution)),
                       int(std::ceil(size.height() * kSvgResolution)));
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
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

bool WritePdf(const PicturePages& pages, const std::function<void(int pages)>& progress,
              QIODevice& device) {
    const QSizeF size = PageInches(pages, kPdfResolution);
    MeasuringSurface probe(kPdfResolution, kPdfResolution);
    QPdfWriter writer(&device);
    writer.setResolution(kPdfResolution);
    writer.setPageSize(QPageSize(QSizeF(size.width(), size.height()), QPageSize::Inch, QString(),
                                 QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Quib"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRect page(0, 0, writer.width(), writer.height());
    for (int k = 0; k < pages.count; ++k) {
        if (k > 0 && !writer.newPage())
            return false;
        Paint(pages.make(k, probe.Surface()), painter, page);
        Progress(progress, k + 1);
    }
    return painter.end();
}

} // namespace

bool WritePages(const PicturePages& pages, PictureFormat format, int dpi, int fit,
                const std::function<void(int pages)>& progress, QIODevice& device) {
    if (pages.count == 0)
        return false;
    bool written = false;
    switch (format) {
    case PictureFormat::Png:
        written = WritePng(pages, dpi, fit, device);
        Progress(progress, 1);
        break;
    case PictureFormat::Svg:
        written = WriteSvg(pages, device);
        Progress(progress, 1);
        break;
    case PictureFormat::Pdf:
        written = WritePdf(pages, progress, device);
        break;
    }
    return written;
}

bool WritePictures(const LatticeDocument& data, const PictureOptions& options,
                   const PictureJob& job, QIODevice& device) {
    return WritePages(RecordPages(data, options, job.records), job.format, job.dpi, job.fit,
                      job.progress, device);
}

std::error_code SavePages(const PicturePages& pages, PictureFormat format, int dpi, int fit,
                          const std::function<void(int pages)>& progress, const QString& path,
                          const QStringList& dataFiles) {
    if (IsDataFile(path, dataFiles))
        return PictureError::OpenDataFile;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!WritePages(pages, format, dpi, fit, progress, buffer))
        return PictureError::NotDrawn;
    return WriteWholeFile(QFile::encodeName(path).toStdString(),
                          std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

std::error_code SavePictures(const LatticeDocument& data, const PictureOptions& options,
                             const PictureJob& job, const QString& path,
                             const QStringList& dataFiles) {
    return SavePages(RecordPages(data, options, job.records), job.format, job.dpi, job.fit,
                     job.progress, path, dataFiles);
}

QString CannotWriteMessage(const QString& path, std::error_code error) {
    return QStringLiteral("cannot write '%1': %2")
        .arg(path, QString::fromLocal8Bit(error.message().c_str()));
}

QByteArray PageBytes(const PicturePages& pages, PictureFormat format, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WritePages(pages, format, dpi, 0, {}, buffer);
    return bytes;
}

} // namespace quib

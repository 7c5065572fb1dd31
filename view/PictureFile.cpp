#include "PictureFile.h"

#include "ErrorCodes.h"
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

int ResolutionOf(const PictureJob& job) {
    switch (job.format) {
    case PictureFormat::Png:
        return job.dpi;
    case PictureFormat::Svg:
        return kSvgResolution;
    case PictureFormat::Pdf:
        return kPdfResolution;
    }
    return job.dpi;
}

int DotsPerMeter(int dpi) {
    return int(std::lround(dpi / 0.0254));
}

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

// Large enough for the picture of every record, texts measured at the
// resolution they are written at.
QSizeF PageInches(const LatticeDocument& data, const PictureOptions& options,
                  const std::vector<int>& records, int dpi) {
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(DotsPerMeter(dpi));
    probe.setDotsPerMeterY(DotsPerMeter(dpi));
    QPainter painter(&probe);
    CPainterDC surface(painter);
    PictureOptions at = options;
    LatticePicture(data, at).Prepare(&surface);
    PictureCorner page;
    for (const int record : records) {
        at.record = record;
        const PictureCorner corner = LatticePicture(data, at).MeasureCorner(&surface);
        page.right = std::max(page.right, corner.right);
        page.bottom = std::min(page.bottom, corner.bottom);
        page.top = std::max(page.top, corner.top);
    }
    return {(page.right + kMarginUnits) / 100, (page.top - (page.bottom - kMarginUnits)) / 100};
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

void Progress(const PictureJob& job, int pages) {
    if (job.progress)
        job.progress(pages);
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

// Encoded in memory first: a device that fails is then told by its own
// error, and the PNG library has nothing to complain of.
bool WritePng(const LatticeDocument& data, const PictureOptions& options, const PictureJob& job,
              QSizeF size, QIODevice& device) {
    const LatticePicture picture(data, options);
    QImage image;
    if (job.fit > 0) {
        const int dpi = FittingResolution(size, job.fit);
        image =
            Fitted(DrawImage(picture, dpi, PageInches(data, options, job.records, dpi)), job.fit);
    } else {
        image = DrawImage(picture, job.dpi, size);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") && device.write(bytes) == bytes.size();
}

bool WriteSvg(const LatticePicture& picture, QSizeF size, QIODevice& device) {
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

bool WritePdf(const LatticeDocument& data, const PictureOptions& options, const PictureJob& job,
              QSizeF size, QIODevice& device) {
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
    PictureOptions at = options;
    for (std::size_t k = 0; k < job.records.size(); ++k) {
        if (k > 0 && !writer.newPage())
            return false;
        at.record = job.records[k];
        Paint(LatticePicture(data, at), painter, page);
        Progress(job, int(k + 1));
    }
    return painter.end();
}

} // namespace

bool WritePictures(const LatticeDocument& data, const PictureOptions& options,
                   const PictureJob& job, QIODevice& device) {
    if (job.records.empty())
        return false;
    const QSizeF size = PageInches(data, options, job.records, ResolutionOf(job));
    PictureOptions first = options;
    first.record = job.records.front();
    bool written = false;
    switch (job.format) {
    case PictureFormat::Png:
        written = WritePng(data, first, job, size, device);
        Progress(job, 1);
        break;
    case PictureFormat::Svg:
        written = WriteSvg(LatticePicture(data, first), size, device);
        Progress(job, 1);
        break;
    case PictureFormat::Pdf:
        written = WritePdf(data, options, job, size, device);
        break;
    }
    return written;
}

std::error_code SavePictures(const LatticeDocument& data, const PictureOptions& options,
                             const PictureJob& job, const QString& path,
                             const QStringList& dataFiles) {
    if (IsDataFile(path, dataFiles))
        return PictureError::OpenDataFile;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!WritePictures(data, options, job, buffer))
        return PictureError::NotDrawn;
    return WriteWholeFile(QFile::encodeName(path).toStdString(),
                          std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

QString CannotWriteMessage(const QString& path, std::error_code error) {
    return QStringLiteral("cannot write '%1': %2")
        .arg(path, QString::fromLocal8Bit(error.message().c_str()));
}

QByteArray PictureBytes(const LatticeDocument& data, const PictureOptions& options,
                        PictureFormat format, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WritePictures(data, options, {format, dpi, {options.record}, {}}, buffer);
    return bytes;
}

} // namespace quib

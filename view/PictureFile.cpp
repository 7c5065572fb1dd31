#include "PictureFile.h"

#include "PainterDC.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

// Blank space kept beyond the drawing's right and bottom edges, 1/100 inch.
constexpr double kMarginUnits = 10;
constexpr int kPdfResolution = 1200;
constexpr int kSvgResolution = 96;

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

} // namespace

// Large enough for the picture of every record, texts measured at the
// resolution they are written at.
QSizeF PageInches(LatticePicture& picture, const std::vector<int>& records, int dpi) {
    const int shown = picture.m_nRecordIndex;
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(DotsPerMeter(dpi));
    probe.setDotsPerMeterY(DotsPerMeter(dpi));
    QPainter painter(&probe);
    CPainterDC surface(painter);
    picture.Prepare(&surface);
    PictureCorner page{0, 25};
    for (const int record : records) {
        picture.m_nRecordIndex = record;
        const PictureCorner corner = picture.MeasureCorner(&surface);
        page.right = std::max(page.right, corner.right);
        page.bottom = std::min(page.bottom, corner.bottom);
    }
    picture.m_nRecordIndex = shown;
    return {(page.right + kMarginUnits) / 100, (25 - (page.bottom - kMarginUnits)) / 100};
}

bool IsDataFile(const QString& path, const QStringList& dataFiles) {
    std::error_code error;
    return std::any_of(dataFiles.begin(), dataFiles.end(), [&](const QString& data) {
        return std::filesystem::equivalent(QFile::encodeName(path).toStdString(),
                                           QFile::encodeName(data).toStdString(), error);
    });
}

QString CannotWriteMessage(const QString& path, const QString& reason) {
    return QStringLiteral("cannot write '%1': %2").arg(path, reason);
}

namespace {

void Paint(LatticePicture& picture, QPainter& painter, const QRect& page) {
    PaintOnWhite(painter, page, [&picture](CDC* dc) {
        picture.Prepare(dc);
        picture.Draw(dc);
    });
}

void Progress(const PictureJob& job, int pages) {
    if (job.progress)
        job.progress(pages);
}

// Encoded in memory first: a device that fails is then told by its own
// error, and the PNG library has nothing to complain of.
bool WritePng(LatticePicture& picture, const PictureJob& job, QSizeF size, QIODevice& device) {
    QImage image(int(std::ceil(size.width() * job.dpi)), int(std::ceil(size.height() * job.dpi)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter(job.dpi));
    image.setDotsPerMeterY(DotsPerMeter(job.dpi));
    {
        QPainter painter(&image);
        Paint(picture, painter, image.rect());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") && device.write(bytes) == bytes.size();
}

bool WriteSvg(LatticePicture& picture, QSizeF size, QIODevice& device) {
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

bool WritePdf(LatticePicture& picture, const PictureJob& job, QSizeF size, QIODevice& device) {
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
    for (std::size_t k = 0; k < job.records.size(); ++k) {
        if (k > 0 && !writer.newPage())
            return false;
        picture.m_nRecordIndex = job.records[k];
        Paint(picture, painter, page);
        Progress(job, int(k + 1));
    }
    return painter.end();
}

} // namespace

bool WritePictures(LatticePicture& picture, const PictureJob& job, QIODevice& device) {
    if (job.records.empty())
        return false;
    const int shown = picture.m_nRecordIndex;
    const QSizeF size = PageInches(picture, job.records, ResolutionOf(job));
    picture.m_nRecordIndex = job.records.front();
    bool written = false;
    switch (job.format) {
    case PictureFormat::Png:
        written = WritePng(picture, job, size, device);
        Progress(job, 1);
        break;
    case PictureFormat::Svg:
        written = WriteSvg(picture, size, device);
        Progress(job, 1);
        break;
    case PictureFormat::Pdf:
        written = WritePdf(picture, job, size, device);
        break;
    }
    picture.m_nRecordIndex = shown;
    return written;
}

QString SavePictures(LatticePicture& picture, const PictureJob& job, const QString& path) {
    const auto writeAll = [&](QFileDevice& file) -> QString {
        const bool written = WritePictures(picture, job, file) && file.flush();
        if (file.error() != QFileDevice::NoError)
            return file.errorString();
        return written ? QString() : QStringLiteral("the picture could not be written");
    };
    // A device or a pipe is written to as it is: it cannot be replaced.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        QFile device(path);
        return device.open(QIODevice::WriteOnly) ? writeAll(device) : device.errorString();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (const QString reason = writeAll(file); !reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    return file.commit() ? QString() : file.errorString();
}

QByteArray PictureBytes(LatticePicture& picture, PictureFormat format, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WritePictures(picture, {format, dpi, {picture.m_nRecordIndex}, {}}, buffer);
    return bytes;
}

#include "OverviewFigureFile.h"

#include "PictureFile.h"
#include "WholeFile.h"

#include <QBuffer>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace quib {

namespace {

constexpr int kPointsPerInch = 72;

bool SizeFits(QSize size) {
    return size.width() >= 1 && size.height() >= 1 && size.width() <= kOverviewFigureMaxSide &&
           size.height() <= kOverviewFigureMaxSide;
}

bool Paint(QPaintDevice& device, const Overview& overview, const OverviewFigureFile& figure) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    OverviewFigure(overview, QRect(QPoint(0, 0), figure.size), figure.style)
        .Paint(painter, figure.currentRecord);
    return painter.end();
}

// Encoded in memory first: a device that fails is then told by its own
// error, and the PNG library has nothing to complain of.
bool WritePng(const Overview& overview, const OverviewFigureFile& figure, QIODevice& device) {
    QImage image(figure.size, QImage::Format_RGB32);
    if (image.isNull() || !Paint(image, overview, figure))
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") && device.write(bytes) == bytes.size();
}

// One unit a point, in SVG and in PDF.
bool WriteSvg(const Overview& overview, const OverviewFigureFile& figure, QIODevice& device) {
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setResolution(kPointsPerInch);
    generator.setSize(figure.size);
    generator.setViewBox(QRect(QPoint(0, 0), figure.size));
    generator.setTitle(QStringLiteral("Quib overview"));
    return Paint(generator, overview, figure);
}

bool WritePdf(const Overview& overview, const OverviewFigureFile& figure, QIODevice& device) {
    QPdfWriter writer(&device);
    writer.setResolution(kPointsPerInch);
    writer.setPageSize(QPageSize(figure.size, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Quib overview"));
    return Paint(writer, overview, figure);
}

} // namespace

bool WriteOverviewFigure(const Overview& overview, const OverviewFigureFile& figure,
                         QIODevice& device) {
    if (!SizeFits(figure.size))
        return false;
    switch (figure.format) {
    case PictureFormat::Png:
        return WritePng(overview, figure, device);
    case PictureFormat::Svg:
        return WriteSvg(overview, figure, device);
    case PictureFormat::Pdf:
        return WritePdf(overview, figure, device);
    }
    return false;
}

QByteArray OverviewFigureBytes(const Overview& overview, const OverviewFigureFile& figure) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return WriteOverviewFigure(overview, figure, buffer) ? bytes : QByteArray();
}

std::error_code SaveOverviewFigure(const Overview& overview, const OverviewFigureFile& figure,
                                   const QString& path, const QStringList& dataFiles) {
    if (IsDataFile(path, dataFiles))
        return PictureError::OpenDataFile;
    if (!SizeFits(figure.size))
        return std::make_error_code(std::errc::invalid_argument);
    const QByteArray bytes = OverviewFigureBytes(overview, figure);
    if (bytes.isEmpty())
        return PictureError::NotDrawn;
    return WriteWholeFile(QFile::encodeName(path).toStdString(),
                          std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace quib

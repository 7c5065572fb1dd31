#pragma once

// The overview as a PNG, SVG or PDF file: the whole file as one figure for
// a paper. A PNG is `size` pixels; an SVG or a PDF is `size` points, its
// texts real text.

#include "OverviewFigure.h"
#include "PictureFormat.h"

#include <QByteArray>
#include <QSize>
#include <QStringList>

#include <system_error>

class QIODevice;

namespace quib {

struct OverviewFigureFile {
    PictureFormat format = PictureFormat::Png;
    QSize size{1200, 400}; // each side 1 to kOverviewFigureMaxSide
    OverviewFigureStyle style;
    int currentRecord = -1; // marked by a line; -1, as a paper wants it, none
};

// Writes the figure to an open device; false when the device refused or
// the size is out of bounds.
bool WriteOverviewFigure(const Overview& overview, const OverviewFigureFile& figure,
                         QIODevice& device);

// The figure in memory; empty when the size is out of bounds.
QByteArray OverviewFigureBytes(const Overview& overview, const OverviewFigureFile& figure);

// The same as a file, written whole or not at all (see WriteWholeFile), and
// never over one of `dataFiles` (PictureError::OpenDataFile). A size out of
// bounds is std::errc::invalid_argument: tell it as a usage error first.
// Told with CannotWriteMessage.
std::error_code SaveOverviewFigure(const Overview& overview, const OverviewFigureFile& figure,
                                   const QString& path, const QStringList& dataFiles = {});

} // namespace quib

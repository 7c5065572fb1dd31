#pragma once

// Pictures of records as PNG, SVG or PDF, the same for the command line, the
// window's Export Picture and its clipboard. A page's top-left corner is the
// logical point (0, 25); its right and bottom edges lie a small margin beyond
// the farthest drawing of any of its records.

#include "LatticePicture.h"
#include "PictureFormat.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <system_error>
#include <vector>

class LatticeDocument;
class QIODevice;

namespace quib {

// Which records of a document are written, and how.
struct PictureJob {
    PictureFormat format = PictureFormat::Png;
    int dpi = 96; // a PNG's resolution
    // 0-based positions: a PDF gets a page each, all the same size; a PNG or
    // SVG shows the first.
    std::vector<int> records;
    // Called after each page with the number of pages done.
    std::function<void(int pages)> progress;
    // Above 0: a PNG fitted inside fit by fit pixels instead of at dpi,
    // aspect kept.
    int fit = 0;
};

// Pictures made for a surface of the resolution they are written at: page
// `page`'s of `count`.
struct PicturePages {
    int count;
    std::function<LatticePicture(int page, CDC* surface)> make;
};
// A page for each record, drawn with `options` at it; `data` and `records`
// outlive the pages.
PicturePages RecordPages(const LatticeDocument& data, const PictureOptions& options,
                         const std::vector<int>& records);

// Writes the pages to an open device: a PDF gets each, all the same size, a
// PNG or SVG the first (a PNG at `dpi`, or with `fit` above 0 fitted inside
// fit by fit pixels); false when the device refused. `progress` is told the
// pages done after each.
bool WritePages(const PicturePages& pages, PictureFormat format, int dpi, int fit,
                const std::function<void(int pages)>& progress, QIODevice& device);
// The same as a file, written whole or not at all: a write that fails leaves
// no file of its own and any file of that name as it was. Never over one of
// `dataFiles`.
std::error_code SavePages(const PicturePages& pages, PictureFormat format, int dpi, int fit,
                          const std::function<void(int pages)>& progress, const QString& path,
                          const QStringList& dataFiles);
QByteArray PageBytes(const PicturePages& pages, PictureFormat format, int dpi);

// Writes the pictures, each drawn with `options` at its record, to an open
// device; false when the device refused.
bool WritePictures(const LatticeDocument& data, const PictureOptions& options,
                   const PictureJob& job, QIODevice& device);

// The same as a file, written whole or not at all: a write that fails leaves
// no file of its own and any file of that name as it was. Never over one of
// `dataFiles`.
std::error_code SavePictures(const LatticeDocument& data, const PictureOptions& options,
                             const PictureJob& job, const QString& path,
                             const QStringList& dataFiles);

// The page that every one of the pages needs, in inches, their texts
// measured at `dpi`.
QSizeF PageInches(const PicturePages& pages, int dpi);
// The page a picture of that extent needs.
QSizeF PageInches(const PictureCorner& extent);

// Whether the path is one of the data files: nothing ever writes over one.
bool IsDataFile(const QString& path, const QStringList& dataFiles);

// Why a picture was not written, besides the system's reasons.
enum class PictureError {
    OpenDataFile = 1, // the path names a data file that is open
    NotDrawn,         // the painter could not draw on its device
};
std::error_code make_error_code(PictureError error);

// How a picture that could not be written is told, wherever it is told:
// "cannot write 'PATH': REASON".
QString CannotWriteMessage(const QString& path, std::error_code error);

} // namespace quib

template <> struct std::is_error_code_enum<quib::PictureError> : std::true_type {};

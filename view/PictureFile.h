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
#include <vector>

class QIODevice;

struct PictureJob {
    PictureFormat format = PictureFormat::Png;
    int dpi = 96; // a PNG's resolution
    // 0-based positions: a PDF gets a page each, all the same size; a PNG or
    // SVG shows the first.
    std::vector<int> records;
    // Called after each page with the number of pages done.
    std::function<void(int pages)> progress;
};

// Writes the pictures to an open device; false when the device refused.
bool WritePictures(LatticePicture& picture, const PictureJob& job, QIODevice& device);

// The same as a file, written whole or not at all: a write that fails leaves
// no file of its own and any file of that name as it was. Empty when written,
// else why not.
QString SavePictures(LatticePicture& picture, const PictureJob& job, const QString& path);

// One record's picture in memory.
QByteArray PictureBytes(LatticePicture& picture, PictureFormat format, int dpi);

// The page the records need, in inches, their texts measured at `dpi`.
QSizeF PageInches(LatticePicture& picture, const std::vector<int>& records, int dpi);

// Whether the path is one of the data files: nothing ever writes over one.
bool IsDataFile(const QString& path, const QStringList& dataFiles);

// How a picture that could not be written is told, wherever it is told:
// "cannot write 'PATH': REASON".
QString CannotWriteMessage(const QString& path, const QString& reason);
inline constexpr const char* kOpenDataFileReason = "it is an open data file";

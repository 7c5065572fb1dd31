#pragma once

#include "PictureFile.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace quib {

// A picture given out by the window as the view gives out its own: to the
// clipboard, and to a file the user names.

// The clipboard gets the picture as PNG at `dpi` and as SVG, and `text`.
void CopyPicture(const PicturePages& picture, int dpi, const QString& text);

// The name an export is offered under: beside the data file at `dataPath`,
// named after it (or `unnamed` without one) and `what`, as PNG.
QString SuggestedPictureName(const QString& dataPath, const QString& unnamed, const QString& what);

// A save dialog offering PNG, SVG and PDF, opened on `suggested`; never
// over one of `dataFiles`, another file only when the user says so; a write
// that fails is told and leaves no file of its own.
void ExportPicture(QWidget* parent, const PicturePages& picture, const QString& suggested,
                   const QStringList& dataFiles);

} // namespace quib

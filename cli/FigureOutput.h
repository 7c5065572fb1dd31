#pragma once

// What the modes that write figures share: Qt's painting on its offscreen
// platform, and the files they must never write over.

#include "Arguments.h"

#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <system_error>

namespace quib {

// A QGuiApplication on the offscreen platform, unless one runs already (as
// in a test): pictures need fonts but no screen, whatever the environment
// names. Qt's remarks on the environment (no runtime folder, as over ssh)
// are not the user's concern: these modes print their own messages only.
std::unique_ptr<QGuiApplication> StartOffscreenPainting();

QString LocalPath(const std::string& path);

// FILE and every import: nothing ever writes over a data file, even one
// named like a picture.
QStringList DataFilesOf(const Arguments& arguments);

// "quib: cannot write 'PATH': REASON"; returns the exit status, 1.
int ReportCannotWrite(std::FILE* err, const QString& path, std::error_code error);

} // namespace quib

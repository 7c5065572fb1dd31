#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace quib {

// Writes a file whole or not at all: `write` fills the device, and a write
// that fails (refused, or `write` false) leaves no file of its own and any
// file of that name as it was. A device or a pipe (not a regular file) is
// written to as it is. Empty when written, else why not.
QString WriteFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write);

} // namespace quib

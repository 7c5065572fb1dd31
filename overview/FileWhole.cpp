#include "FileWhole.h"

#include <QFileInfo>
#include <QSaveFile>

namespace quib {

QString WriteFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write) {
    const auto writeAll = [&](QFileDevice& file) -> QString {
        const bool written = write(file) && file.flush();
        if (file.error() != QFileDevice::NoError)
            return file.errorString();
        return written ? QString() : QStringLiteral("the figure could not be written");
    };
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

} // namespace quib

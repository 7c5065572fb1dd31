#include "PictureOut.h"

#include "FileDialog.h"
#include "MessageBox.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

namespace quib {

namespace {

// The resolution of a picture written to a file, as the command line's.
constexpr int kFileResolution = 96;

const char kExportFilters[] = "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)";

} // namespace

void CopyPicture(const PicturePages& picture, int dpi, const QString& text) {
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), PageBytes(picture, PictureFormat::Png, dpi));
    data->setData(QStringLiteral("image/svg+xml"), PageBytes(picture, PictureFormat::Svg, dpi));
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

QString SuggestedPictureName(const QString& dataPath, const QString& unnamed, const QString& what) {
    const QFileInfo data(dataPath);
    const QString base = data.fileName().isEmpty() ? unnamed : data.completeBaseName();
    return QStringLiteral("%1/%2-%3.png").arg(data.absolutePath(), base, what);
}

void ExportPicture(QWidget* parent, const PicturePages& picture, const QString& suggested,
                   const QStringList& dataFiles) {
    CFileDialog dialog(false, QString(), suggested, OFN_HIDEREADONLY,
                       QString::fromLatin1(kExportFilters), parent);
    if (dialog.DoModal() != IDOK)
        return;
    QString path = dialog.GetPathName();
    PictureFormat format;
    if (!PictureFormatOf(path.toStdString(), format)) {
        // A name without a picture's extension takes the chosen filter's.
        const QString filter = dialog.GetSelectedFilter();
        path += filter.mid(filter.indexOf(QLatin1String("*.")) + 1).chopped(1);
        PictureFormatOf(path.toStdString(), format);
    }
    const auto refuse = [&path](std::error_code error) {
        AfxMessageBox(AsSentence(CannotWriteMessage(path, error)), MB_ICONEXCLAMATION);
    };
    if (IsDataFile(path, dataFiles))
        return refuse(PictureError::OpenDataFile);
    if (QFileInfo::exists(path) &&
        AfxMessageBox(QStringLiteral("'%1' already exists. Replace it?").arg(path),
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (const std::error_code error =
            SavePages(picture, format, kFileResolution, 0, {}, path, dataFiles))
        refuse(error);
}

} // namespace quib

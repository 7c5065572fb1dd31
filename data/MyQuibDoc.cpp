#include "MyQuibDoc.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "Resources.h"
#include "WaitCursor.h"
#include "WinApp.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace {
std::string LocalPath(const QString& pathName) {
    return QFile::encodeName(pathName).toStdString();
}
} // namespace

CMyQuibDoc::CMyQuibDoc() {
    MapCommand(ID_FILE_IMPORT, &CMyQuibDoc::OnImport);
    MapUpdateCommandUI(ID_FILE_IMPORT, &CMyQuibDoc::OnUpdateImport);
    SetWarningHook([](const std::string&, const char* message) {
        // The busy cursor of the read does not belong over the box.
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        AfxMessageBox(QString::fromUtf8(message), MB_OK);
        QGuiApplication::restoreOverrideCursor();
    });
}

// Data comes in through Open and Import only, and nothing goes out.
void CMyQuibDoc::Serialize(CArchive&) {}

bool CMyQuibDoc::OnNewDocument() {
    ResetDatasets();
    m_importedPaths.clear();
    return CDocument::OnNewDocument();
}

LatticeDocument::ReadRunner CMyQuibDoc::RunnerFor(const QStringList& pathNames) {
    return [this, pathNames](const Read& read) {
        if (m_reading)
            return std::make_error_code(std::errc::operation_in_progress);
        if (!m_readRunner)
            return RunInline(read);
        m_reading = true;
        const std::error_code error = m_readRunner(pathNames, read);
        m_reading = false;
        return error;
    };
}

std::error_code CMyQuibDoc::OnOpenDocument(const QString& pathName) {
    m_importedPaths.clear();
    return OpenDataFile(LocalPath(pathName), RunnerFor({pathName}));
}

void CMyQuibDoc::OnImport() {
    CFileDialog dialog(true, QString(), QString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (dialog.DoModal() == IDOK)
        ImportFile(dialog.GetPathName());
}

void CMyQuibDoc::ImportFile(const QString& pathName) {
    if (m_reading) {
        QApplication::beep();
        return;
    }
    std::error_code error;
    {
        const CWaitCursor busy;
        error = ImportDataFile(LocalPath(pathName), RunnerFor({pathName}));
    }
    if (!error)
        m_importedPaths << QFileInfo(pathName).absoluteFilePath();
    // A file that cannot be opened is passed over in silence; running out of
    // memory is not.
    if (error == std::errc::not_enough_memory)
        AfxGetApp()->ReportOpenFailure(pathName, error);
    UpdateAllViews(nullptr);
}

void CMyQuibDoc::OnUpdateImport(CCmdUI* cmdUI) {
    cmdUI->Enable(m_nPrimaryDim > 0 && !m_reading);
}

std::vector<std::string> CMyQuibDoc::LocalImportPaths() const {
    std::vector<std::string> importPaths;
    for (const QString& path : m_importedPaths)
        importPaths.push_back(LocalPath(path));
    return importPaths;
}

std::error_code CMyQuibDoc::Reload(QString& failedPath) {
    std::string failed;
    std::error_code error;
    {
        const CWaitCursor busy;
        error = ReloadDataFiles(LocalPath(GetPathName()), LocalImportPaths(), failed,
                                RunnerFor(QStringList{GetPathName()} + m_importedPaths));
    }
    failedPath = QFile::decodeName(failed.c_str());
    return error;
}

std::error_code CMyQuibDoc::Follow(FollowedFile& at, bool& changed, QString& failedPath) {
    std::string failed;
    const std::error_code error =
        FollowDataFile(LocalPath(GetPathName()), LocalImportPaths(), at, changed, failed);
    failedPath = QFile::decodeName(failed.c_str());
    return error;
}

#include "MyQuibDoc.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "Resources.h"
#include "WaitCursor.h"
#include "WinApp.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cerrno>

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

OpenResult CMyQuibDoc::OnOpenDocument(const QString& pathName) {
    m_importedPaths.clear();
    const ReadOutcome outcome = OpenDataFile(LocalPath(pathName));
    return {outcome.read, outcome.error};
}

void CMyQuibDoc::OnImport() {
    CFileDialog dialog(true, QString(), QString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (dialog.DoModal() == IDOK)
        ImportFile(dialog.GetPathName());
}

void CMyQuibDoc::ImportFile(const QString& pathName) {
    ReadOutcome outcome;
    {
        const CWaitCursor busy;
        outcome = ImportDataFile(LocalPath(pathName));
    }
    if (outcome.read)
        m_importedPaths << QFileInfo(pathName).absoluteFilePath();
    // A file that cannot be opened is passed over in silence; running out of
    // memory is not.
    if (!outcome.read && outcome.error == ENOMEM)
        AfxGetApp()->ReportOpenFailure(pathName, outcome.error);
    UpdateAllViews(nullptr);
}

void CMyQuibDoc::OnUpdateImport(CCmdUI* cmdUI) {
    cmdUI->Enable(m_nPrimaryDim > 0);
}

#include "FileDialog.h"

#include "Document.h"
#include "FrameWnd.h"
#include "RecentFileList.h"
#include "WinApp.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Qt's file dialog keeps its own history in a settings file of its own, and
// nothing but the recent-file list may be written; while the dialog lives,
// settings go to a folder where no file can be made.
class DialogSettingsAside {
  public:
    DialogSettingsAside() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStringLiteral("/dev/null"));
    }
    ~DialogSettingsAside() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    DialogSettingsAside(const DialogSettingsAside&) = delete;
    DialogSettingsAside& operator=(const DialogSettingsAside&) = delete;
};

// The folder a dialog was last left in with a file chosen, in this run.
QString g_lastFolder;

// Where a dialog starts: the folder of the file open now (the second run
// usually sits beside the first), else the last folder chosen, else that of
// the most recent file.
QString StartFolder() {
    const CWinApp* app = AfxGetApp();
    const CDocument* document = app != nullptr && app->m_pMainWnd != nullptr
                                    ? app->m_pMainWnd->GetActiveDocument()
                                    : nullptr;
    if (document != nullptr && !document->GetPathName().isEmpty())
        return QFileInfo(document->GetPathName()).absolutePath();
    if (!g_lastFolder.isEmpty())
        return g_lastFolder;
    const CRecentFileList* recent = app != nullptr ? app->GetRecentFileList() : nullptr;
    if (recent != nullptr && recent->GetSize() > 0)
        return QFileInfo((*recent)[0]).absolutePath();
    return {};
}

} // namespace

CFileDialog::CFileDialog(bool openFileDialog, const QString& defaultExt, const QString& fileName,
                         DWORD flags, const QString& filter, QWidget* parent)
    : m_bOpenFileDialog(openFileDialog), m_defaultExt(defaultExt), m_pathName(fileName),
      m_flags(flags), m_filter(filter), m_parent(parent) {}

int CFileDialog::DoModal() {
    QWidget* owner = m_parent != nullptr                                 ? m_parent
                     : AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd ? AfxGetApp()->m_pMainWnd
                                                                         : nullptr;
    const DialogSettingsAside aside;
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_bOpenFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_flags & OFN_OVERWRITEPROMPT));
    dialog.setDefaultSuffix(m_defaultExt);
    if (!m_filter.isEmpty())
        dialog.setNameFilter(m_filter);
    if (!m_pathName.isEmpty())
        dialog.selectFile(m_pathName);
    else if (const QString folder = StartFolder(); !folder.isEmpty())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_pathName = dialog.selectedFiles().constFirst();
    m_selectedFilter = dialog.selectedNameFilter();
    g_lastFolder = QFileInfo(m_pathName).absolutePath();
    return IDOK;
}

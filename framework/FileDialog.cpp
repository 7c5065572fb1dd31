#include "FileDialog.h"

#include "FrameWnd.h"
#include "WinApp.h"

#include <QFileDialog>
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_pathName = dialog.selectedFiles().constFirst();
    return IDOK;
}

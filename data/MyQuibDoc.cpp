#include "MyQuibDoc.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "Resources.h"
#include "WinApp.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <sys/stat.h>

namespace {

std::string LocalPath(const QString& pathName) {
    return QFile::encodeName(pathName).toStdString();
}

std::vector<std::string> LocalPaths(const QStringList& pathNames) {
    std::vector<std::string> paths;
    for (const QString& path : pathNames)
        paths.push_back(LocalPath(path));
    return paths;
}

// A pipe, a device or a socket gives its bytes once: only a file on disk can
// be read again.
bool ReadOnlyOnce(const QString& pathName) {
    struct stat status {};
    return stat(LocalPath(pathName).c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

const std::shared_ptr<const LatticeDocument>& NoData() {
    static const auto empty = std::make_shared<const LatticeDocument>();
    return empty;
}

void ShowWarning(const std::string&, const char* message) {
    // The busy cursor of the read does not belong over the box.
    QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    AfxMessageBox(QString::fromUtf8(message), MB_OK);
    QGuiApplication::restoreOverrideCursor();
}

} // namespace

CMyQuibDoc::CMyQuibDoc() : m_data(NoData()) {
    MapCommand(ID_FILE_IMPORT, &CMyQuibDoc::OnImport);
    MapUpdateCommandUI(ID_FILE_IMPORT, &CMyQuibDoc::OnUpdateImport);
}

// Data comes in through Open and Import only, and nothing goes out.
void CMyQuibDoc::Serialize(CArchive&) {}

void CMyQuibDoc::SetReadRunner(quib::ReadRunner* runner) {
    m_runner = runner != nullptr ? runner : &m_inline;
}

bool CMyQuibDoc::StartRead(const QStringList& pathNames, quib::ReadRunner::Read read,
                           quib::ReadRunner::Kind kind) {
    if (m_runner->Start(LocalPaths(pathNames), std::move(read), kind))
        return true;
    QApplication::beep();
    return false;
}

// A read the user turned from needs no word.
void CMyQuibDoc::TellReadFailure(const QString& pathName, std::error_code error) const {
    if (error != std::errc::operation_canceled)
        AfxGetApp()->ReportOpenFailure(pathName, error);
}

void CMyQuibDoc::TellWarnings(const quib::DocumentRead& read) const {
    read.warnings.Tell(ShowWarning, read.error);
}

bool CMyQuibDoc::OnNewDocument() {
    m_data = NoData();
    m_importedPaths.clear();
    m_readOnce = false;
    return CDocument::OnNewDocument();
}

bool CMyQuibDoc::PrepareOpen(const QString& pathName, std::function<void()> open) {
    const bool readOnce = ReadOnlyOnce(pathName);
    return StartRead({pathName}, [this, pathName, readOnce, open](quib::ReadProgress& progress) {
        auto read =
            std::make_shared<quib::DocumentRead>(quib::ReadToOpen(LocalPath(pathName), progress));
        return [this, pathName, readOnce, open, read] {
            m_prepared = Prepared{pathName, std::move(*read)};
            m_readOnce = readOnce;
            open();
            m_prepared.reset();
        };
    });
}

bool CMyQuibDoc::OpenInWindow(const QString& pathName, const QStringList& imports,
                              std::function<void(bool opened)> opened) {
    return PrepareOpen(pathName, [this, pathName, imports, opened] {
        if (AfxGetApp()->OpenDocumentFile(pathName) == nullptr) {
            if (opened)
                opened(false);
            return;
        }
        ImportFiles(imports, [opened] {
            if (opened)
                opened(true);
        });
    });
}

std::error_code CMyQuibDoc::OnOpenDocument(const QString& pathName) {
    m_importedPaths.clear();
    if (!m_prepared || m_prepared->path != pathName) {
        m_readOnce = ReadOnlyOnce(pathName);
        quib::ReadProgress progress;
        m_prepared = Prepared{pathName, quib::ReadToOpen(LocalPath(pathName), progress)};
    }
    const quib::DocumentRead read = std::exchange(m_prepared, std::nullopt)->read;
    TellWarnings(read);
    m_data = read.data != nullptr ? read.data : NoData();
    return read.error;
}

void CMyQuibDoc::SetPathName(const QString& pathName, bool addToMRU) {
    CDocument::SetPathName(pathName, addToMRU && !m_readOnce);
}

void CMyQuibDoc::OnImport() {
    CFileDialog dialog(true, QString(), QString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (dialog.DoModal() == IDOK)
        ImportFiles({dialog.GetPathName()});
}

void CMyQuibDoc::OnUpdateImport(CCmdUI* cmdUI) {
    cmdUI->Enable(m_data->m_nPrimaryDim > 0 && !IsReading());
}

void CMyQuibDoc::ImportFiles(const QStringList& pathNames, std::function<void()> over) {
    ImportNext(pathNames, std::move(over));
}

void CMyQuibDoc::ImportNext(QStringList pathNames, std::function<void()> over) {
    if (pathNames.isEmpty()) {
        if (over)
            over();
        return;
    }
    const QString pathName = pathNames.takeFirst();
    const bool started = StartRead({pathName}, [this, shown = m_data, pathName, rest = pathNames,
                                                over](quib::ReadProgress& progress) {
        auto read = std::make_shared<quib::DocumentRead>(
            quib::ReadToImport(*shown, LocalPath(pathName), progress));
        return [this, pathName, rest, over, read] {
            TellWarnings(*read);
            if (read->error) {
                TellReadFailure(pathName, read->error);
                return ImportNext({}, over);
            }
            m_data = read->data;
            m_importedPaths << QFileInfo(pathName).absoluteFilePath();
            UpdateAllViews(nullptr, kDatasetsChanged);
            ImportNext(rest, over);
        };
    });
    if (!started && over)
        over();
}

std::vector<std::string> CMyQuibDoc::LocalImportPaths() const {
    return LocalPaths(m_importedPaths);
}

void CMyQuibDoc::Reload() {
    const QString pathName = GetPathName();
    if (pathName.isEmpty())
        return;
    if (m_readOnce) {
        AfxMessageBox(
            QStringLiteral("'%1' was read from a pipe: it cannot be read again.").arg(pathName),
            MB_ICONEXCLAMATION);
        return;
    }
    StartRead(QStringList{pathName} + m_importedPaths, [this, path = LocalPath(pathName),
                                                        imports = LocalImportPaths()](
                                                           quib::ReadProgress& progress) {
        auto read =
            std::make_shared<quib::DocumentRead>(quib::ReadToReload(path, imports, progress));
        return [this, read] {
            TellWarnings(*read);
            if (read->error)
                return TellReadFailure(QFile::decodeName(read->failedPath.c_str()), read->error);
            m_data = read->data;
            UpdateAllViews(nullptr, kFileRead);
        };
    });
}

bool CMyQuibDoc::Follow(LatticeDocument::FollowedFile& at, FollowDone done) {
    if (!CanReadAgain())
        return false;
    return m_runner->Start(
        LocalPaths({GetPathName()}),
        [this, &at, shown = m_data, path = LocalPath(GetPathName()), imports = LocalImportPaths(),
         from = at, done](quib::ReadProgress&) {
            auto step =
                std::make_shared<quib::FollowRead>(quib::ReadToFollow(*shown, path, imports, from));
            return [this, &at, shown, step, done] {
                // Read onto datasets that another read has replaced since, or
                // that a read still running will replace with what it read
                // onto them: the step is read again after it.
                if (m_data != shown || IsReading())
                    return done(std::make_error_code(std::errc::operation_canceled), QString(),
                                false);
                TellWarnings(step->read);
                if (!step->read.error) {
                    at = step->at;
                    if (step->changed) {
                        m_data = step->read.data;
                        UpdateAllViews(nullptr, kDatasetsChanged);
                    }
                }
                done(step->read.error, QFile::decodeName(step->read.failedPath.c_str()),
                     step->changed);
            };
        },
        quib::ReadRunner::Kind::Following);
}

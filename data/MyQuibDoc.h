#pragma once

// The document's window side: New, Open and Import as the framework calls
// them, on the datasets of LatticeDocument. Nothing is ever saved.

#include "Document.h"
#include "LatticeDocument.h"

#include <QStringList>

#include <functional>

class CMyQuibDoc : public CDocument, public LatticeDocument {
  public:
    CMyQuibDoc();

    void Serialize(CArchive& ar) override;
    bool OnNewDocument() override;
    std::error_code OnOpenDocument(const QString& pathName) override;

    void OnImport();
    void OnUpdateImport(CCmdUI* cmdUI);
    // File Import of a path, without the dialog.
    void ImportFile(const QString& pathName);
    // The files read into the imported dataset since the last New or Open.
    const QStringList& ImportedPaths() const { return m_importedPaths; }
    // Reload: the open file and its imports read again. On failure the
    // datasets are as they were and `failedPath` names the file that failed.
    std::error_code Reload(QString& failedPath);
    // Follow File: what was appended to the open file since `at`, or the
    // file read again where it was replaced (see FollowDataFile).
    std::error_code Follow(FollowedFile& at, bool& changed, QString& failedPath);

    // Runs the read of Open, Import and Reload, given the files it reads (see
    // ReadRunner); without one, reads run in the calling thread.
    using LongReadRunner =
        std::function<std::error_code(const QStringList& pathNames, const Read& read)>;
    void SetReadRunner(LongReadRunner runner) { m_readRunner = std::move(runner); }
    // While a read runs, nothing else may read a file into the document or
    // start it anew; another read is refused.
    bool IsReading() const { return m_reading; }

  private:
    std::vector<std::string> LocalImportPaths() const;
    ReadRunner RunnerFor(const QStringList& pathNames);

    QStringList m_importedPaths;
    LongReadRunner m_readRunner;
    bool m_reading = false;
};

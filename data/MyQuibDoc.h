#pragma once

// The document's window side: New, Open, Import, Reload and Follow File as
// the window asks for them, on datasets that are one value (a
// LatticeDocument) replaced whole once a read is over: the window and the
// work it runs on other threads read the datasets shown without a lock, and
// the files are read off the window's thread by a ReadRunner. Nothing is
// ever saved.

#include "Document.h"
#include "DocumentRead.h"
#include "LatticeDocument.h"
#include "ReadRunner.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// What changed, as the document tells its views (UpdateAllViews' hint).
enum DocumentHint : LPARAM {
    kDatasetsChanged = 0, // New, Import, an appended part of a followed file
    kFileRead = 1,        // a file opened or read again whole
};

class CMyQuibDoc : public CDocument {
  public:
    CMyQuibDoc();

    // The datasets shown; the same value until a read replaces it.
    const LatticeDocument& Data() const { return *m_data; }
    const std::shared_ptr<const LatticeDocument>& Snapshot() const { return m_data; }
    int GetNodeValue(int recordIndex, int nodeNumber, int whichDataset) const {
        return m_data->GetNodeValue(recordIndex, nodeNumber, whichDataset);
    }

    void Serialize(CArchive& ar) override;
    bool OnNewDocument() override;
    // File Open: the read PrepareOpen made of this path, or the file read
    // now; a file that cannot be read leaves both datasets empty.
    std::error_code OnOpenDocument(const QString& pathName) override;
    // A file read from a pipe never enters the recent-file list: it cannot
    // be opened from there again.
    void SetPathName(const QString& pathName, bool addToMRU = true) override;

    // File Open in the window (the dialog, the recent files, a drop, the
    // command line): the file read by the runner, then opened by the
    // application as the framework opens a file (it takes that read), then
    // `imports` imported in order. `opened` is told whether the file
    // opened, once the imports are over. False, and nothing started, while
    // another read runs.
    bool OpenInWindow(const QString& pathName, const QStringList& imports,
                      std::function<void(bool opened)> opened = {});

    void OnImport();
    void OnUpdateImport(CCmdUI* cmdUI);
    // File Import of files, in order, each read by the runner after the one
    // before; one that cannot be read is told, and the rest are not read.
    // `over` runs once no more is read.
    void ImportFiles(const QStringList& pathNames, std::function<void()> over = {});
    // The files read into the imported dataset since the last New or Open.
    const QStringList& ImportedPaths() const { return m_importedPaths; }
    // The open file and its imports: nothing is ever written over them.
    QStringList DataFiles() const { return m_importedPaths + QStringList{GetPathName()}; }

    // Whether the open file can be read again: not one read from a pipe.
    bool CanReadAgain() const { return !GetPathName().isEmpty() && !m_readOnce; }
    // Reload: the open file and its imports read again, the datasets
    // replaced once all are read. A failure is told as a failed Open is, a
    // file read from a pipe refused with its reason; either way the
    // datasets stay as they were.
    void Reload();

    // Follow File: one look at the open file since `at`; what was appended
    // is read, or the whole file where it was replaced. `done` runs on this
    // thread with the outcome (failedPath names the file that failed;
    // operation_canceled where another read replaced the datasets
    // meanwhile). False where nothing was started: another read runs.
    using FollowDone =
        std::function<void(std::error_code error, const QString& failedPath, bool changed)>;
    bool Follow(LatticeDocument::FollowedFile& at, FollowDone done);

    // Tells that a file could not be read, as a failed Open is told; nothing
    // where the user cancelled the read.
    void TellReadFailure(const QString& pathName, std::error_code error) const;

    // Where reads run; without one, in the calling thread.
    void SetReadRunner(quib::ReadRunner* runner);
    // Whether a read the user asked for runs: another is not started.
    bool IsReading() const { return m_runner->Busy(); }
    // Every read stopped, as the window closes: their ends are not run.
    void CancelReads() { m_runner->CancelAndWait(); }

  private:
    bool PrepareOpen(const QString& pathName, std::function<void()> open);
    bool StartRead(const QStringList& pathNames, quib::ReadRunner::Read read,
                   quib::ReadRunner::Kind kind = quib::ReadRunner::Kind::Asked);
    // The reader's warnings of a read, told in message boxes.
    void TellWarnings(const quib::DocumentRead& read) const;
    void ImportNext(QStringList pathNames, std::function<void()> over);
    std::vector<std::string> LocalImportPaths() const;

    std::shared_ptr<const LatticeDocument> m_data;
    QStringList m_importedPaths;
    // The open file was read from a pipe or another stream read only once.
    bool m_readOnce = false;
    struct Prepared {
        QString path;
        quib::DocumentRead read;
    };
    std::optional<Prepared> m_prepared;
    quib::InlineReadRunner m_inline;
    quib::ReadRunner* m_runner = &m_inline;
};

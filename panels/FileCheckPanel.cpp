#include "FileCheckPanel.h"

#include "CommandTable.h"
#include "FindingsDialog.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "WorkerPool.h"

#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QtConcurrent/QtConcurrentRun>

namespace quib {

namespace {

// Findings come in line order, several to a line at times.
int LinesWithFindings(const std::vector<Finding>& findings) {
    int lines = 0;
    for (std::size_t k = 0; k < findings.size(); ++k)
        lines += k == 0 || findings[k].line != findings[k - 1].line;
    return lines;
}

} // namespace

FileCheckPanel::FileCheckPanel(QMainWindow& frame, CMyQuibView& view, const CMyQuibDoc& document)
    : QObject(&frame), m_frame(frame), m_view(view), m_document(document) {
    view.Commands().Bind(CommandId::CheckFile, {[this] { ShowFindings(); },
                                                [this] { return m_document.CanReadAgain(); }});
    connect(&view, &CMyQuibView::Changed, this, [this](ViewChanges what) {
        if (what & ViewChange::FileRead)
            Check(false, &FileCheckPanel::TellCount);
    });
}

void FileCheckPanel::ShowFindings() {
    Check(true, &FileCheckPanel::Show);
}

void FileCheckPanel::Check(bool listed, void (FileCheckPanel::*done)(const Checked&)) {
    if (!m_document.CanReadAgain())
        return TellCount({});
    const QString path = m_document.GetPathName();
    auto* watcher = new QFutureWatcher<Checked>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, done] {
        watcher->deleteLater();
        const Checked checked = watcher->result();
        // Another file was opened meanwhile: this check is not its.
        if (checked.path == m_document.GetPathName())
            (this->*done)(checked);
    });
    // Findings not listed are counted and freed here, not on the GUI thread.
    watcher->setFuture(QtConcurrent::run(&WorkerPool(), [path, listed] {
        std::vector<Finding> findings;
        const std::error_code error =
            CheckDataFile(QFile::encodeName(path).toStdString(), findings);
        return Checked{path, error, error ? 0 : LinesWithFindings(findings),
                       listed ? std::make_shared<const std::vector<Finding>>(std::move(findings))
                              : nullptr};
    }));
}

void FileCheckPanel::Show(const Checked& checked) {
    if (checked.error)
        return m_document.TellReadFailure(checked.path, checked.error);
    if (m_dialog == nullptr) {
        m_dialog = new FindingsDialog(&m_frame);
        connect(m_dialog, &FindingsDialog::RecordChosen, &m_view, &CMyQuibView::ShowRecord);
    }
    m_dialog->Show(QFileInfo(checked.path).fileName(), checked.findings);
}

void FileCheckPanel::TellCount(const Checked& checked) {
    auto* bar = m_frame.findChild<QStatusBar*>();
    if (bar == nullptr)
        return;
    const int lines = checked.lines;
    if (lines == 0) {
        if (!m_told.isEmpty() && bar->currentMessage() == m_told)
            bar->clearMessage();
        m_told.clear();
        return;
    }
    const QString name = QFileInfo(checked.path).fileName();
    m_told =
        lines == 1
            ? QStringLiteral("1 line of %1 may not read as meant: Check File... lists it").arg(name)
            : QStringLiteral("%1 lines of %2 may not read as meant: Check File... lists them")
                  .arg(lines)
                  .arg(name);
    bar->showMessage(m_told);
}

} // namespace quib

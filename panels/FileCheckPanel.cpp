#include "FileCheckPanel.h"

#include "FileCheck.h"
#include "FindingsDialog.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "WaitCursor.h"
#include "WinApp.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QThread>

#include <memory>
#include <utility>

namespace quib {

namespace {

constexpr int kUnread = -1;

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Findings come in line order, several to a line at times.
int LinesWithFindings(const std::vector<Finding>& findings) {
    int lines = 0;
    for (std::size_t k = 0; k < findings.size(); ++k)
        lines += k == 0 || findings[k].line != findings[k - 1].line;
    return lines;
}

} // namespace

FileCheckPanel::FileCheckPanel(QMainWindow& frame, CMyQuibView& view)
    : QObject(&frame), m_frame(frame), m_view(view),
      m_checkFile(new QAction(QStringLiteral("Check File..."), this)) {
    m_checkFile->setObjectName(QStringLiteral("checkFile"));
    connect(m_checkFile, &QAction::triggered, this, &FileCheckPanel::ShowFindings);
    connect(&view, &CMyQuibView::ContextMenuOpening, this,
            [this](QMenu* menu, int) { AddMenuItem(*menu); });
    connect(&view, &CMyQuibView::FileOpened, this, &FileCheckPanel::CountFindings);
    // The command line's file was opened before the panels came.
    CountFindings();
}

FileCheckPanel::~FileCheckPanel() {
    if (m_counting != nullptr) {
        m_counting->wait();
        delete m_counting;
    }
}

QString FileCheckPanel::OpenPath() const {
    const CMyQuibDoc* document = m_view.GetDocument();
    return document != nullptr ? document->GetPathName() : QString();
}

void FileCheckPanel::AddMenuItem(QMenu& menu) {
    m_checkFile->setEnabled(!OpenPath().isEmpty());
    menu.addAction(m_checkFile);
}

void FileCheckPanel::ShowFindings() {
    const QString path = OpenPath();
    if (path.isEmpty())
        return;
    std::vector<Finding> findings;
    std::error_code error;
    {
        const CWaitCursor busy;
        error = CheckDataFile(LocalPath(path), findings);
    }
    if (error) {
        AfxGetApp()->ReportOpenFailure(path, error);
        return;
    }
    if (m_dialog == nullptr) {
        m_dialog = new FindingsDialog(&m_frame);
        connect(m_dialog, &FindingsDialog::RecordChosen, &m_view, &CMyQuibView::ShowRecord);
    }
    m_dialog->Show(QFileInfo(path).fileName(), findings);
}

void FileCheckPanel::CountFindings() {
    if (m_counting != nullptr)
        m_countAgain = true;
    else
        StartCount();
}

void FileCheckPanel::StartCount() {
    const QString path = OpenPath();
    // A pipe gives its lines once, to the open: a second reader would wait
    // for a writer that never comes.
    if (!QFileInfo(path).isFile())
        return;
    auto lines = std::make_shared<int>(kUnread);
    m_counting = QThread::create([file = LocalPath(path), lines] {
        std::vector<Finding> findings;
        if (!CheckDataFile(file, findings))
            *lines = LinesWithFindings(findings);
    });
    connect(m_counting, &QThread::finished, this, [this, path, lines] {
        std::exchange(m_counting, nullptr)->deleteLater();
        // Another file was opened meanwhile: this count is not its.
        if (std::exchange(m_countAgain, false))
            StartCount();
        else
            TellCount(path, *lines);
    });
    m_counting->start(QThread::LowPriority);
}

void FileCheckPanel::TellCount(const QString& path, int lines) {
    auto* bar = m_frame.findChild<QStatusBar*>();
    if (bar == nullptr)
        return;
    if (lines <= 0) {
        if (!m_told.isEmpty() && bar->currentMessage() == m_told)
            bar->clearMessage();
        m_told.clear();
        return;
    }
    const QString name = QFileInfo(path).fileName();
    m_told =
        lines == 1
            ? QStringLiteral("1 line of %1 may not read as meant: Check File... lists it").arg(name)
            : QStringLiteral("%1 lines of %2 may not read as meant: Check File... lists them")
                  .arg(lines)
                  .arg(name);
    bar->showMessage(m_told);
}

} // namespace quib

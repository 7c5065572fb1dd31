#include "FollowCommand.h"

#include "MyQuibDoc.h"
#include "MyQuibView.h"

#include <QAction>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

namespace quib {
namespace {
// The size is looked at no more often than this where the file system does
// not tell of changes.
constexpr int kPollMilliseconds = 500;
} // namespace

FollowCommand::FollowCommand(QMainWindow& frame, CMyQuibView& view)
    : QObject(&view), m_view(view), m_follow(new QAction(QStringLiteral("Follow File"), this)),
      m_pane(new QLabel), m_watcher(new QFileSystemWatcher(this)), m_poll(new QTimer(this)) {
    m_follow->setObjectName(QStringLiteral("followFile"));
    m_follow->setCheckable(true);
    connect(m_follow, &QAction::toggled, this, &FollowCommand::SetFollowing);
    connect(&view, &CMyQuibView::ContextMenuOpening, this,
            [this](QMenu* menu, int) { AddMenuItem(*menu); });
    connect(&view, &CMyQuibView::FileOpened, this, &FollowCommand::FileOpened);
    // A New, or an Open of another file, ends the following.
    connect(&view, &CMyQuibView::DocumentChanged, this, [this] {
        const CMyQuibDoc* document = m_view.GetDocument();
        if (Following() && (document == nullptr || document->GetPathName() != m_path))
            SetFollowing(false);
    });
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &FollowCommand::ReadChanges);
    m_poll->setInterval(kPollMilliseconds);
    connect(m_poll, &QTimer::timeout, this, &FollowCommand::ReadChanges);

    m_pane->setObjectName(QStringLiteral("followPane"));
    m_pane->hide();
    // Right of the position pane, left of the lock panes.
    if (auto* bar = frame.findChild<QStatusBar*>())
        bar->insertPermanentWidget(2, m_pane);
    else
        m_pane->setParent(&view);
}

void FollowCommand::AddMenuItem(QMenu& menu) {
    const CMyQuibDoc* document = m_view.GetDocument();
    m_follow->setEnabled(document != nullptr && !document->GetPathName().isEmpty());
    menu.addAction(m_follow);
}

void FollowCommand::SetFollowing(bool on) {
    const CMyQuibDoc* document = m_view.GetDocument();
    if (on && (document == nullptr || document->GetPathName().isEmpty()))
        on = false;
    if (on == Following())
        return;
    m_poll->stop();
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    m_at = {};
    m_path = on ? document->GetPathName() : QString();
    m_pane->setText(QStringLiteral("Following %1").arg(QFileInfo(m_path).fileName()));
    m_pane->setVisible(on);
    {
        const QSignalBlocker quiet(m_follow);
        m_follow->setChecked(on);
    }
    if (on)
        ReadChanges();
}

void FollowCommand::Watch() {
    // A file replaced by another, or removed, is no longer watched.
    if (m_watcher->files().isEmpty() && !m_watcher->addPath(m_path)) {
        m_poll->start();
        return;
    }
    m_poll->stop();
}

void FollowCommand::ReadChanges() {
    CMyQuibDoc* document = m_view.GetDocument();
    if (!Following() || document == nullptr)
        return;
    // Looked at again once the read that runs is over.
    if (document->IsReading()) {
        m_poll->start();
        return;
    }
    Watch();
    const int countBefore = document->m_primaryRecords.GetSize();
    const bool onLast = m_view.m_nRecordIndex >= countBefore - 1;
    bool changed = false;
    QString failedPath;
    if (const std::error_code error = document->Follow(m_at, changed, failedPath)) {
        // Tried again at the next change; the document stays as it was.
        m_pane->setText(
            QStringLiteral("Following %1: %2")
                .arg(QFileInfo(failedPath).fileName(), QString::fromLocal8Bit(error.message())));
        return;
    }
    m_pane->setText(QStringLiteral("Following %1").arg(QFileInfo(m_path).fileName()));
    if (!changed)
        return;
    document->UpdateAllViews(nullptr);
    const int count = document->m_primaryRecords.GetSize();
    if (onLast || m_view.m_nRecordIndex >= count)
        m_view.ShowRecord(count - 1);
}

void FollowCommand::FileOpened() {
    const CMyQuibDoc* document = m_view.GetDocument();
    if (!Following())
        return;
    if (document == nullptr || document->GetPathName() != m_path) {
        SetFollowing(false);
        return;
    }
    // Read again by Reload: the next change reads it whole once more, so
    // that nothing is appended twice.
    m_at = {};
}

} // namespace quib

#include "FollowCommand.h"

#include "CommandTable.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace quib {
namespace {
// The file is looked at no more often than this where the file system does
// not tell of changes, or while another read runs.
constexpr int kPollMilliseconds = 500;
} // namespace

FollowCommand::FollowCommand(QMainWindow& frame, CMyQuibView& view, CMyQuibDoc& document)
    : QObject(&view), m_view(view), m_document(document), m_pane(new QLabel),
      m_watcher(new QFileSystemWatcher(this)), m_poll(new QTimer(this)) {
    view.Commands().Bind(CommandId::FollowFile, {[this] { SetFollowing(!Following()); },
                                                 [this] { return m_document.CanReadAgain(); },
                                                 [this] { return Following(); }});
    connect(&view, &CMyQuibView::Changed, this, [this](ViewChanges what) {
        if (what & ViewChange::FileRead)
            FileRead();
        // A look that a read of the user's held back.
        else if (what & ViewChange::Document && Following() && !m_reading)
            ReadChanges();
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

void FollowCommand::SetFollowing(bool on) {
    if (on && !m_document.CanReadAgain())
        on = false;
    if (on == Following())
        return;
    m_poll->stop();
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    m_at = {};
    m_path = on ? m_document.GetPathName() : QString();
    m_pane->setText(QStringLiteral("Following %1").arg(QFileInfo(m_path).fileName()));
    m_pane->setVisible(on);
    m_view.Commands().Refresh();
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
    if (!Following())
        return;
    if (m_reading) {
        m_lookAgain = true;
        return;
    }
    Watch();
    const int count = m_view.Data().m_primaryRecords.GetSize();
    const bool onLast = m_view.RecordIndex() >= count - 1;
    m_reading = m_document.Follow(
        m_at, [this, onLast](std::error_code error, const QString& failedPath, bool changed) {
            Read(error, failedPath, changed, onLast);
        });
    // Another read runs: looked at again once it is over.
    if (!m_reading)
        m_poll->start();
}

void FollowCommand::Read(std::error_code error, const QString& failedPath, bool changed,
                         bool onLast) {
    m_reading = false;
    if (!Following())
        return;
    if (error == std::errc::operation_canceled) {
        // Read onto datasets that another read replaced meanwhile.
        m_lookAgain = true;
    } else if (error) {
        // Tried again at the next change; the datasets stay as they were.
        m_pane->setText(
            QStringLiteral("Following %1: %2")
                .arg(QFileInfo(failedPath).fileName(), QString::fromLocal8Bit(error.message())));
    } else {
        m_pane->setText(QStringLiteral("Following %1").arg(QFileInfo(m_path).fileName()));
        const int count = m_view.Data().m_primaryRecords.GetSize();
        if (changed && (onLast || m_view.RecordIndex() >= count))
            m_view.ShowRecord(count - 1);
    }
    if (std::exchange(m_lookAgain, false))
        ReadChanges();
}

void FollowCommand::FileRead() {
    if (!Following())
        return;
    if (m_document.GetPathName() != m_path) {
        SetFollowing(false);
        return;
    }
    // Read again by Reload: the next change reads it whole once more, so
    // that nothing is appended twice.
    m_at = {};
}

} // namespace quib

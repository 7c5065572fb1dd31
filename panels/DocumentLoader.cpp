#include "DocumentLoader.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtConcurrent/QtConcurrentRun>

#include <sys/stat.h>

#include <new>

namespace quib {
namespace {

// Shorter reads show nothing.
constexpr qint64 kShowAfterMilliseconds = 500;
constexpr int kTickMilliseconds = 100;
constexpr int kBarSteps = 1000;

// What the files hold on disk; 0 where a file's size is not known before it
// is read, as for a pipe.
std::uint64_t TotalBytes(const std::vector<std::string>& paths) {
    std::uint64_t total = 0;
    for (const std::string& path : paths) {
        struct stat status {};
        if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            return 0;
        total += static_cast<std::uint64_t>(status.st_size);
    }
    return total;
}

QString Bytes(std::uint64_t bytes) {
    return QLocale().formattedDataSize(static_cast<qint64>(bytes));
}

} // namespace

DocumentLoader::DocumentLoader(QStatusBar& bar, QObject* parent)
    : QObject(parent), m_pane(new QWidget), m_bar(new QProgressBar(m_pane)) {
    // One read the user asked for and one of Follow File at most.
    m_pool.setMaxThreadCount(2);
    m_pane->setObjectName(QStringLiteral("readProgress"));
    // Wide enough for its longest text, which would wrap inside it otherwise.
    const QString widest = QStringLiteral("%1 of %1").arg(Bytes((std::uint64_t{1} << 40) - 1));
    m_bar->setMinimumWidth(m_bar->fontMetrics().horizontalAdvance(widest) +
                           4 * m_bar->fontMetrics().averageCharWidth());
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), m_pane);
    cancel->setObjectName(QStringLiteral("cancelRead"));
    // The view keeps the keys.
    cancel->setFocusPolicy(Qt::NoFocus);
    connect(cancel, &QPushButton::clicked, this, &DocumentLoader::Cancel);
    auto* layout = new QHBoxLayout(m_pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar);
    layout->addWidget(cancel);
    m_pane->hide();
    bar.insertPermanentWidget(1, m_pane);
    m_tick.setInterval(kTickMilliseconds);
    connect(&m_tick, &QTimer::timeout, this, &DocumentLoader::Tick);
}

DocumentLoader::~DocumentLoader() {
    CancelAndWait();
}

bool DocumentLoader::Start(const std::vector<std::string>& paths, Read read, Kind kind) {
    if (m_asked.Running() || (kind == Kind::Following && m_following.Running()))
        return false;
    if (kind == Kind::Following) {
        Launch(m_following, std::move(read));
        return true;
    }
    m_totalBytes = TotalBytes(paths);
    m_since.start();
    m_tick.start();
    Launch(m_asked, std::move(read));
    emit BusyChanged(true);
    return true;
}

void DocumentLoader::Launch(ReadSlot& slot, Read read) {
    slot = ReadSlot{false, std::make_shared<ReadProgress>(), new QFutureWatcher<Finish>(this)};
    connect(slot.watcher, &QFutureWatcher<Finish>::finished, this, [this, &slot] { Ended(slot); });
    slot.watcher->setFuture(
        QtConcurrent::run(&m_pool, [read = std::move(read), progress = slot.progress]() -> Finish {
            try {
                return read(*progress);
            } catch (const std::bad_alloc&) {
                return {};
            }
        }));
}

void DocumentLoader::Ended(ReadSlot& slot) {
    const bool asked = &slot == &m_asked;
    const Finish finish = slot.dropped ? Finish() : slot.watcher->result();
    slot.watcher->deleteLater();
    slot = ReadSlot{};
    if (asked) {
        m_tick.stop();
        if (m_pane->isVisible()) {
            QGuiApplication::restoreOverrideCursor();
            m_pane->hide();
        }
    }
    if (finish)
        finish();
    if (asked && !m_asked.Running())
        emit BusyChanged(false);
}

void DocumentLoader::Cancel() {
    if (m_asked.Running())
        m_asked.progress->cancelled = true;
}

void DocumentLoader::CancelAndWait() {
    for (ReadSlot* slot : {&m_asked, &m_following}) {
        if (!slot->Running())
            continue;
        slot->progress->cancelled = true;
        slot->dropped = true;
        slot->watcher->waitForFinished();
    }
}

void DocumentLoader::Tick() {
    if (!m_pane->isVisible() && m_since.elapsed() >= kShowAfterMilliseconds) {
        m_pane->show();
        // The window still answers: a busy cursor, not a wait cursor.
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    }
    if (m_pane->isVisible())
        ShowProgress(m_asked.progress->bytesRead.load(std::memory_order_relaxed));
}

void DocumentLoader::ShowProgress(std::uint64_t bytesRead) {
    if (m_totalBytes == 0) {
        m_bar->setRange(0, 0);
        m_bar->setFormat(QStringLiteral("%1 read").arg(Bytes(bytesRead)));
        return;
    }
    bytesRead = std::min(bytesRead, m_totalBytes);
    m_bar->setRange(0, kBarSteps);
    m_bar->setValue(static_cast<int>(bytesRead * kBarSteps / m_totalBytes));
    m_bar->setFormat(QStringLiteral("%1 of %2").arg(Bytes(bytesRead), Bytes(m_totalBytes)));
}

} // namespace quib

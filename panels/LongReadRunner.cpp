#include "LongReadRunner.h"

#include "FrameWnd.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

namespace quib {
namespace {

// A read over within this time is waited for as if it ran in the calling
// thread: the window is still for less than one notices, and no other event
// is handled meanwhile.
constexpr auto kQuietWait = std::chrono::milliseconds(100);
// Shorter reads show nothing.
constexpr qint64 kShowAfterMilliseconds = 500;
constexpr int kTickMilliseconds = 100;
constexpr int kBarSteps = 1000;

// What the files hold on disk; 0 where a file's size is not known before it
// is read, as for a pipe.
std::uint64_t TotalBytes(const QStringList& pathNames) {
    std::uint64_t total = 0;
    for (const QString& path : pathNames) {
        const QFileInfo info(path);
        if (!info.isFile())
            return 0;
        total += static_cast<std::uint64_t>(info.size());
    }
    return total;
}

QString Bytes(std::uint64_t bytes) {
    return QLocale().formattedDataSize(static_cast<qint64>(bytes));
}

} // namespace

LongReadRunner::LongReadRunner(CFrameWnd& frame, CMyQuibDoc& document)
    : QObject(&frame), m_frame(frame), m_document(document), m_pane(new QWidget),
      m_bar(new QProgressBar(m_pane)) {
    m_pane->setObjectName(QStringLiteral("readProgress"));
    // Wide enough for its longest text, which would wrap inside it otherwise.
    const QString widest = QStringLiteral("%1 of %1").arg(Bytes((std::uint64_t{1} << 40) - 1));
    m_bar->setMinimumWidth(m_bar->fontMetrics().horizontalAdvance(widest) +
                           4 * m_bar->fontMetrics().averageCharWidth());
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), m_pane);
    cancel->setObjectName(QStringLiteral("cancelRead"));
    // The view keeps the keys.
    cancel->setFocusPolicy(Qt::NoFocus);
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (m_running != nullptr)
            m_running->cancelled = true;
    });
    auto* layout = new QHBoxLayout(m_pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar);
    layout->addWidget(cancel);
    m_pane->hide();
    // Left of the position pane.
    if (auto* bar = frame.findChild<QStatusBar*>())
        bar->insertPermanentWidget(1, m_pane);
    else
        m_pane->setParent(&frame);
    frame.installEventFilter(this);
    document.SetReadRunner([this](const QStringList& pathNames, const LatticeDocument::Read& read) {
        return Run(pathNames, read);
    });
}

LongReadRunner::~LongReadRunner() {
    m_document.SetReadRunner({});
}

std::error_code LongReadRunner::Run(const QStringList& pathNames,
                                    const LatticeDocument::Read& read) {
    ReadProgress progress;
    std::mutex mutex;
    std::condition_variable over;
    bool done = false;
    std::error_code error;
    const auto isDone = [&] {
        const std::lock_guard lock(mutex);
        return done;
    };
    const unsigned run = ++m_runs;
    std::thread worker;
    try {
        worker = std::thread([&, run] {
            std::error_code result;
            try {
                result = read(progress);
            } catch (const std::bad_alloc&) {
                result = std::make_error_code(std::errc::not_enough_memory);
            }
            {
                const std::lock_guard lock(mutex);
                error = result;
                done = true;
            }
            over.notify_one();
            // A wake left over from an earlier read ends no later one's wait.
            QMetaObject::invokeMethod(
                this,
                [this, run] {
                    if (run == m_runs && m_loop != nullptr)
                        m_loop->quit();
                },
                Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        return read(progress);
    }
    {
        std::unique_lock lock(mutex);
        over.wait_for(lock, kQuietWait, [&] { return done; });
    }
    if (!isDone())
        Wait(progress, TotalBytes(pathNames), isDone);
    worker.join();
    return error;
}

void LongReadRunner::Wait(ReadProgress& progress, std::uint64_t totalBytes,
                          const std::function<bool()>& isDone) {
    QElapsedTimer running;
    running.start();
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(kTickMilliseconds);
    bool shown = false;
    connect(&tick, &QTimer::timeout, &loop, [&] {
        if (!shown && running.elapsed() + kQuietWait.count() >= kShowAfterMilliseconds) {
            shown = true;
            m_pane->show();
            // Over the wait cursor of the command: the window still answers.
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        }
        if (shown)
            ShowProgress(progress.bytesRead.load(std::memory_order_relaxed), totalBytes);
    });
    m_running = &progress;
    m_loop = &loop;
    m_frame.UpdateCommandUI();
    tick.start();
    if (!isDone())
        loop.exec();
    // Left early, as when the program is ending: the read stops at its next
    // chunk.
    if (!isDone())
        progress.cancelled = true;
    tick.stop();
    m_loop = nullptr;
    m_running = nullptr;
    if (shown) {
        QGuiApplication::restoreOverrideCursor();
        m_pane->hide();
    }
    // Once the document has taken the read in and no longer reads.
    QTimer::singleShot(0, &m_frame,
                       [frame = &m_frame, close = std::exchange(m_closeAfterRead, false)] {
                           frame->UpdateCommandUI();
                           if (close)
                               frame->close();
                       });
}

void LongReadRunner::ShowProgress(std::uint64_t bytesRead, std::uint64_t totalBytes) {
    if (totalBytes == 0) {
        m_bar->setRange(0, 0);
        m_bar->setFormat(QStringLiteral("%1 read").arg(Bytes(bytesRead)));
        return;
    }
    bytesRead = std::min(bytesRead, totalBytes);
    m_bar->setRange(0, kBarSteps);
    m_bar->setValue(static_cast<int>(bytesRead * kBarSteps / totalBytes));
    m_bar->setFormat(QStringLiteral("%1 of %2").arg(Bytes(bytesRead), Bytes(totalBytes)));
}

bool LongReadRunner::eventFilter(QObject* watched, QEvent* event) {
    if (m_running == nullptr || watched != &m_frame)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        m_running->cancelled = true;
        m_closeAfterRead = true;
        event->ignore();
        return true;
    case QEvent::DragEnter:
        // A drag refused as it enters is never dropped.
        event->ignore();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quib

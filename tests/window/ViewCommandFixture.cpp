#include "ViewCommandFixture.h"

#include "RecordFinder.h"

#include <QEvent>
#include <QTest>
#include <QThread>

PaintCounter::PaintCounter(QWidget* widget) : m_loopLevel(QThread::currentThread()->loopLevel()) {
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && QThread::currentThread()->loopLevel() == m_loopLevel)
        ++m_count;
    return QObject::eventFilter(watched, event);
}

void ViewCommandFixture::SetUp() {
    AppFixture::SetUp();
    SetToneOutput(&m_tones);
}

void ViewCommandFixture::TearDown() {
    m_paints.reset();
    AppFixture::TearDown();
    SetToneOutput(nullptr);
}

void ViewCommandFixture::StartCounting(const QString& file) {
    Start(file);
    // The first paints of the new window are the platform's, not a command's.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    QCoreApplication::processEvents();
    m_paints = std::make_unique<PaintCounter>(View());
}

CMyQuibView* ViewCommandFixture::View() const {
    return dynamic_cast<CMyQuibView*>(Frame()->GetActiveView());
}

CommandEffect ViewCommandFixture::Measure(const std::function<void()>& action) {
    const int paints = m_paints->Count();
    const std::size_t tones = m_tones.m_tones.size();
    action();
    // Reads, and a find's first step, wait for their workers.
    if (Document()->IsReading())
        WaitForReads();
    if (const auto* finder = Frame()->findChild<quib::RecordFinder*>();
        finder != nullptr && finder->Finding()) {
        EXPECT_TRUE(QTest::qWaitFor([finder] { return !finder->Finding(); }, 60000));
    }
    return {m_paints->Count() - paints,
            {m_tones.m_tones.begin() + static_cast<std::ptrdiff_t>(tones), m_tones.m_tones.end()}};
}

CommandEffect ViewCommandFixture::Run(UINT id) {
    return Measure([&] { Frame()->SendCommand(id); });
}

CommandEffect ViewCommandFixture::PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Frame()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Frame()));
    View()->setFocus();
    // What earlier commands left to paint (a status message that moved the
    // view) is not this key's.
    QCoreApplication::processEvents();
    return Measure([&] { QTest::keyClick(View(), key, modifiers); });
}

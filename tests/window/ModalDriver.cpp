#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kPollMs = 10;
constexpr int kGiveUpAfterPolls = 1000;

void Poll(const std::shared_ptr<ModalDriver::State>& state, int left) {
    if (!state->active)
        return;
    // A dialog, or a popup menu that runs its own loop.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        modal = QApplication::activePopupWidget();
    if (modal != nullptr && modal->isVisible()) {
        state->ran = true;
        state->act(modal);
        return;
    }
    if (left > 0)
        QTimer::singleShot(kPollMs, [state, left] { Poll(state, left - 1); });
}

} // namespace

ModalDriver::ModalDriver(std::function<void(QWidget*)> act, Expect expect,
                         std::source_location where)
    : m_state(std::make_shared<State>(State{std::move(act)})), m_expect(expect), m_where(where) {
    QTimer::singleShot(0, [state = m_state] { Poll(state, kGiveUpAfterPolls); });
}

ModalDriver::~ModalDriver() {
    if (m_state == nullptr)
        return;
    m_state->active = false;
    if (m_expect == Expect::Dialog && !m_state->ran)
        ADD_FAILURE_AT(m_where.file_name(), int(m_where.line()))
            << "the dialog this driver waited for never came up";
}

void CancelDialog(QWidget* dialog) {
    if (auto* modal = qobject_cast<QDialog*>(dialog))
        modal->reject();
    else
        dialog->close();
}

testing::AssertionResult TextBecomes(const std::function<QString()>& text,
                                     const QString& expected) {
    if (QTest::qWaitFor([&] { return text() == expected; }, 5000))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the text reads \"" << text().toStdString()
                                       << "\", not \"" << expected.toStdString() << "\"";
}

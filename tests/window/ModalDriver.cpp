#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace {

constexpr int kPollMs = 10;
constexpr int kGiveUpAfterPolls = 1000;

void Poll(const std::shared_ptr<ModalDriver::State>& state, int left) {
    if (!state->active)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible()) {
        state->ran = true;
        state->act(modal);
        return;
    }
    if (left > 0)
        QTimer::singleShot(kPollMs, [state, left] { Poll(state, left - 1); });
}

} // namespace

ModalDriver::ModalDriver(std::function<void(QWidget*)> act)
    : m_state(std::make_shared<State>(State{std::move(act)})) {
    QTimer::singleShot(0, [state = m_state] { Poll(state, kGiveUpAfterPolls); });
}

ModalDriver::~ModalDriver() {
    m_state->active = false;
}

void CancelDialog(QWidget* dialog) {
    if (auto* modal = qobject_cast<QDialog*>(dialog))
        modal->reject();
    else
        dialog->close();
}

#pragma once

// Drives the next modal dialog: once one is up, `act` runs on it from the
// event loop. Tests check Ran() afterwards, so a dialog that never came up
// fails the test instead of passing it. The driver stops looking when it
// goes out of scope.

#include <QWidget>

#include <functional>
#include <memory>

class ModalDriver {
  public:
    explicit ModalDriver(std::function<void(QWidget*)> act);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool Ran() const { return m_state->ran; }

    struct State {
        std::function<void(QWidget*)> act;
        bool ran = false;
        bool active = true;
    };

  private:
    std::shared_ptr<State> m_state;
};

// Closes whatever modal dialog comes up, as Cancel or Escape would.
void CancelDialog(QWidget* dialog);

#pragma once

// Drives the next modal dialog or popup menu: once one is up, `act` runs on it from the
// event loop. A driver that expects a dialog fails the test by itself when
// none came up before it goes out of scope; one made with IfAny only acts
// on a dialog that comes. The driver stops looking when it goes out of scope.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <source_location>

class ModalDriver {
  public:
    enum class Expect { Dialog, IfAny };

    explicit ModalDriver(std::function<void(QWidget*)> act, Expect expect = Expect::Dialog,
                         std::source_location where = std::source_location::current());
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    ModalDriver(ModalDriver&&) = default;

    bool Ran() const { return m_state->ran; }

    struct State {
        std::function<void(QWidget*)> act;
        bool ran = false;
        bool active = true;
    };

  private:
    std::shared_ptr<State> m_state;
    Expect m_expect;
    std::source_location m_where;
};

// Closes whatever modal dialog comes up, as Cancel or Escape would.
void CancelDialog(QWidget* dialog);

// Handles events until `text` reads `expected`, for at most five seconds; a
// failure that names what it read last when it never does.
testing::AssertionResult TextBecomes(const std::function<QString()>& text, const QString& expected);

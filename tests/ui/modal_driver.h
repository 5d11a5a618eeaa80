// Answers a modal window from inside its exec(): once a window of the wanted class is
// the active modal widget, the test's action runs on it, and the window is closed
// (rejected) if the action left it open. Destroying the driver stops the wait.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace zarvex::ui::testing {

class ModalDriver {
  public:
    template <typename Window>
    void OnNext(std::function<void(Window&)> action) {
        shown_ = false;
        timer_.disconnect();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this, action] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            if (!window)
                return;
            timer_.stop();
            shown_ = true;
            action(*window);
            if (window->isVisible())
                window->reject();
        });
        timer_.start();
    }

    // Whether the awaited window came up.
    bool Shown() const { return shown_; }

    ~ModalDriver() { timer_.stop(); }

  private:
    QTimer timer_;
    bool shown_ = false;
};

}  // namespace zarvex::ui::testing

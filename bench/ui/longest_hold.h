// How long the window's event loop went without serving a timer due every period:
// the longest a key press or a paint would have waited meanwhile.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

class LongestHold {
  public:
    explicit LongestHold(int periodMs) {
        sinceTick_.start();
        QObject::connect(&ticks_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, sinceTick_.restart()); });
        ticks_.start(periodMs);
    }
    // In milliseconds, the spell since the last tick included.
    qint64 Longest() const { return std::max(longest_, sinceTick_.elapsed()); }

  private:
    QElapsedTimer sinceTick_;
    qint64 longest_ = 0;
    QTimer ticks_;
};

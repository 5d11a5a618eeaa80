// SIGTERM, SIGINT and SIGHUP as a Qt signal on the event loop, so that the window
// ends as it does on a normal exit (recovery copy written, scratch folders removed)
// instead of dying where it stands. The handler only writes the signal's number
// into a pipe; everything else runs on the event loop.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace zarvex::platform {

class TerminationSignals : public QObject {
    Q_OBJECT
  public:
    // Installs the handlers; one instance at a time. The previous handlers come back
    // when it goes.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

  signals:
    void received(int signalNumber);

  private:
    void Drain();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace zarvex::platform

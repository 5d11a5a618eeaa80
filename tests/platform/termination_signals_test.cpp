// The termination signals reach the event loop as a Qt signal, and the program
// survives them until it has ended in order.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

#include "platform/termination_signals.h"

namespace zarvex::platform {
namespace {

TEST(TerminationSignals, EachSignalArrivesOnTheEventLoopAndTheHandlersGoWithTheObject) {
    static int argc = 1;
    static char name[] = "zarvex_platform_tests";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    std::vector<int> received;
    {
        TerminationSignals signals_;
        QObject::connect(&signals_, &TerminationSignals::received,
                         [&](int number) { received.push_back(number); });
        for (int number : {SIGTERM, SIGINT, SIGHUP})
            ASSERT_EQ(::raise(number), 0);
        QElapsedTimer waited;
        waited.start();
        while (received.size() < 3 && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    EXPECT_EQ(received, (std::vector<int>{SIGTERM, SIGINT, SIGHUP}));
    struct sigaction now {};
    ::sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

}  // namespace
}  // namespace zarvex::platform

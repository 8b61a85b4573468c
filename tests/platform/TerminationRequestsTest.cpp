#include "platform/TerminationRequests.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <signal.h>

namespace {

volatile sig_atomic_t g_earlierHandlerRan = 0;

extern "C" void EarlierHandler(int) {
    g_earlierHandlerRan = 1;
}

} // namespace

// SIGTERM and SIGHUP become one request on the event loop instead of ending the process; the actions the signals had
// before are put back afterwards.
TEST(TerminationRequests, ASignalToEndBecomesARequestOnTheEventLoopAndTheEarlierActionComesBack) {
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    for (const int signalNumber : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        struct sigaction earlier {};
        earlier.sa_handler = EarlierHandler;
        sigemptyset(&earlier.sa_mask);
        struct sigaction before {};
        ASSERT_EQ(sigaction(signalNumber, &earlier, &before), 0);
        {
            int requests = 0;
            const platform::TerminationRequests termination([&requests] { ++requests; });
            ASSERT_EQ(raise(signalNumber), 0);
            ASSERT_EQ(raise(signalNumber), 0);
            EXPECT_EQ(requests, 0); // not in the handler: on the event loop
            QElapsedTimer waited;
            waited.start();
            while (requests == 0 && waited.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            QCoreApplication::processEvents();
            EXPECT_EQ(requests, 1);
            EXPECT_EQ(g_earlierHandlerRan, 0);
        }
        ASSERT_EQ(raise(signalNumber), 0);
        EXPECT_EQ(g_earlierHandlerRan, 1);
        g_earlierHandlerRan = 0;
        sigaction(signalNumber, &before, nullptr);
    }
}

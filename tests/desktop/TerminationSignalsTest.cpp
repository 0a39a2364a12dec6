// SIGTERM, SIGHUP and SIGINT reach the event loop, several at once as one request; one object at a time
// owns the handlers, and the previous ones come back.
#include "desktop/TerminationSignals.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Raising a signal whose handler is not in place would end the test run.
TEST(TerminationSignals, DeliversEachSignalOnTheEventLoop)
{
    desktop::TerminationSignals watcher;
    ASSERT_TRUE(watcher.IsActive());
    for (int number : {SIGTERM, SIGHUP, SIGINT}) {
        QSignalSpy spy(&watcher, &desktop::TerminationSignals::terminationRequested);
        ASSERT_EQ(::raise(number), 0);
        // The handler only wrote to the socket; nothing is emitted until the loop runs.
        EXPECT_EQ(spy.count(), 0);
        ASSERT_TRUE(spy.wait(10000));
        EXPECT_EQ(spy.count(), 1);
        EXPECT_EQ(watcher.LastSignal(), number);
    }
}

TEST(TerminationSignals, SignalsQueuedBeforeTheLoopRunsMakeOneRequest)
{
    desktop::TerminationSignals watcher;
    ASSERT_TRUE(watcher.IsActive());
    QSignalSpy spy(&watcher, &desktop::TerminationSignals::terminationRequested);
    ASSERT_EQ(::raise(SIGTERM), 0);
    ASSERT_EQ(::raise(SIGHUP), 0);
    ASSERT_TRUE(spy.wait(10000));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(watcher.LastSignal(), SIGHUP);
}

TEST(TerminationSignals, RestoresThePreviousHandlersAndAllowsOneOwner)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction savedTerm {
    }, savedHup{};
    ASSERT_EQ(::sigaction(SIGTERM, &ignore, &savedTerm), 0);
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &savedHup), 0);
    {
        desktop::TerminationSignals first;
        EXPECT_TRUE(first.IsActive());
        desktop::TerminationSignals second;
        EXPECT_FALSE(second.IsActive()) << "only one object may own the handlers";
        struct sigaction current {};
        ::sigaction(SIGTERM, nullptr, &current);
        EXPECT_NE(current.sa_handler, SIG_IGN);
    }
    struct sigaction current {};
    ::sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_IGN);
    ::sigaction(SIGHUP, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_IGN);

    // A new owner can take over once the first is gone.
    {
        desktop::TerminationSignals again;
        EXPECT_TRUE(again.IsActive());
    }
    ::sigaction(SIGTERM, &savedTerm, nullptr);
    ::sigaction(SIGHUP, &savedHup, nullptr);
}

}  // namespace

// Posted and sent messages and window timers: order and thread of delivery.
#include "platform/message_port.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace {

using platform::LResult;
using platform::MessagePort;
using platform::WindowMessage;

// Runs the event loop until `done` or a deadline.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

struct Received {
    WindowMessage message;
    QThread* thread;
};

TEST(MessagePortTest, PostsFromWorkerThreadsArriveInOrderOnTheGuiThread)
{
    std::vector<Received> received;
    MessagePort port([&](const WindowMessage& m) -> LResult {
        received.push_back({m, QThread::currentThread()});
        return 0;
    });
    constexpr int kCount = 2000;
    std::thread worker([&port] {
        for (int i = 0; i < kCount; ++i)
            port.Post(0x606 + (i % 3), static_cast<platform::WParam>(i), -i);
    });
    worker.join();
    // Nothing is delivered before the GUI thread runs its loop.
    EXPECT_TRUE(received.empty());
    ASSERT_TRUE(PumpUntil([&] { return received.size() == kCount; }));
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(received[static_cast<std::size_t>(i)].message,
                  (WindowMessage{static_cast<platform::MessageId>(0x606 + (i % 3)), static_cast<platform::WParam>(i), -i}));
        ASSERT_EQ(received[static_cast<std::size_t>(i)].thread, QCoreApplication::instance()->thread());
    }
}

TEST(MessagePortTest, PostsFromTwoThreadsKeepEachThreadsOrder)
{
    std::vector<WindowMessage> received;
    MessagePort port([&](const WindowMessage& m) -> LResult {
        received.push_back(m);
        return 0;
    });
    constexpr int kEach = 1000;
    auto sender = [&port](platform::MessageId id) {
        for (int i = 0; i < kEach; ++i)
            port.Post(id, static_cast<platform::WParam>(i));
    };
    std::thread a(sender, 1), b(sender, 2);
    a.join();
    b.join();
    ASSERT_TRUE(PumpUntil([&] { return received.size() == 2 * kEach; }));
    platform::WParam next[3] = {0, 0, 0};
    for (const auto& m : received) {
        ASSERT_EQ(m.wParam, next[m.message]);
        ++next[m.message];
    }
}

TEST(MessagePortTest, SendIsDirectOnTheGuiThreadAndWaitsFromAWorker)
{
    std::vector<QThread*> threads;
    MessagePort port([&](const WindowMessage& m) -> LResult {
        threads.push_back(QThread::currentThread());
        return static_cast<LResult>(m.wParam * 2 + static_cast<platform::WParam>(m.lParam));
    });
    // On the GUI thread: handled before Send returns, without the event loop.
    EXPECT_EQ(port.Send(0x604, 20, 1), 41);
    ASSERT_EQ(threads.size(), 1u);

    std::atomic<LResult> fromWorker{0};
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        fromWorker = port.Send(0x605, 5, 0);
        finished = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return finished.load(); }));
    worker.join();
    EXPECT_EQ(fromWorker.load(), 10);
    ASSERT_EQ(threads.size(), 2u);
    EXPECT_EQ(threads[1], QCoreApplication::instance()->thread());
}

TEST(MessagePortTest, WindowTimersDeliverTheirIdUntilKilled)
{
    std::vector<platform::WParam> ticks;
    MessagePort* portPointer = nullptr;
    MessagePort port([&](const WindowMessage& m) -> LResult {
        if (m.message == platform::kWmTimer) {
            ticks.push_back(m.wParam);
            if (m.wParam == 2)
                portPointer->KillTimer(2);  // a timer may stop itself from its own tick
        }
        return 0;
    });
    portPointer = &port;
    EXPECT_EQ(port.SetTimer(0, 10), 0u);
    EXPECT_EQ(port.SetTimer(1, 5), 1u);
    EXPECT_EQ(port.SetTimer(2, 5), 2u);
    EXPECT_TRUE(port.HasTimer(1));
    ASSERT_TRUE(PumpUntil([&] { return std::count(ticks.begin(), ticks.end(), 1u) >= 3; }));
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), 2u), 1);
    EXPECT_FALSE(port.HasTimer(2));
    EXPECT_TRUE(port.KillTimer(1));
    EXPECT_FALSE(port.KillTimer(1));
    const std::size_t after = ticks.size();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 50)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(ticks.size(), after);
}

TEST(MessagePortTest, MessagesQueuedForADestroyedPortAreDropped)
{
    int handled = 0;
    {
        MessagePort port([&](const WindowMessage&) -> LResult { return ++handled; });
        port.Post(0x600);
        port.Post(0x600);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, 0);
}

}  // namespace

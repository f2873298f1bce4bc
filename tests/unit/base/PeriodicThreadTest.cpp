// The live-frame thread's clock: calls keep coming until paused, and pausing never waits for a
// call that is itself waiting for the pausing thread.
#include "base/PeriodicThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>

using namespace windlecroft;
using namespace std::chrono_literals;

namespace {

// Waits (at most a few seconds) until count reaches at least wanted.
bool reaches(const std::atomic<int>& count, int wanted)
{
    const auto giveUp = std::chrono::steady_clock::now() + 5s;
    while (count.load() < wanted) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

TEST(PeriodicThread, CallsUntilPausedAndAgainAfterAStart)
{
    std::atomic<int> calls{0};
    PeriodicThread thread([&calls] { calls.fetch_add(1); });
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(calls.load(), 0) << "nothing before the first start";
    thread.start(2ms);
    ASSERT_TRUE(reaches(calls, 5));
    thread.pause();
    EXPECT_FALSE(thread.running());
    // A call already under way may still finish; none starts after it.
    std::this_thread::sleep_for(10ms);
    const int paused = calls.load();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(calls.load(), paused);
    thread.start(2ms);
    EXPECT_TRUE(reaches(calls, paused + 5));
    thread.stop();
    const int stopped = calls.load();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(calls.load(), stopped);
}

// The player pauses its live frames while it holds the lock a live frame waits for.
TEST(PeriodicThread, PausingWhileACallWaitsForTheCallersLockReturns)
{
    std::mutex shared;
    std::atomic<int> entered{0};
    PeriodicThread thread([&] {
        entered.fetch_add(1);
        std::scoped_lock lock(shared);
    });
    {
        std::scoped_lock lock(shared);
        thread.start(1ms);
        ASSERT_TRUE(reaches(entered, 1));
        thread.pause();
    }
    thread.stop();
    EXPECT_FALSE(thread.running());
}

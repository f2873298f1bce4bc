// The live-frame thread's clock: pausing returns even while a call waits for the lock the pausing
// thread holds, no call starts while paused, and a new start brings the calls back.
#include "base/PeriodicThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

using namespace windlecroft;
using namespace std::chrono_literals;

namespace {

bool reaches(const std::atomic<int>& count, int wanted)
{
    for (int waited = 0; count.load() < wanted; ++waited) {
        if (waited > 5000)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

TEST(PeriodicThread, PausesWithoutWaitingForACallAndStartsAgain)
{
    std::mutex shared;
    std::atomic<int> calls{0};
    PeriodicThread thread([&] {
        calls.fetch_add(1);
        std::scoped_lock lock(shared);
    });
    {
        std::scoped_lock lock(shared);
        thread.start(1ms);
        ASSERT_TRUE(reaches(calls, 1));
        thread.pause();
    }
    std::this_thread::sleep_for(10ms); // the call that waited finishes
    const int paused = calls.load();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(calls.load(), paused);
    thread.start(1ms);
    EXPECT_TRUE(reaches(calls, paused + 3));
}

// Steady frames allocate nothing: this program replaces the global operator new with one that
// counts, and runs frames that draw (highlights fading, a cross-fade) and frames that are skipped.
#include "support/StandardSkin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Test-local: the allocations the frames' thread has made so far. Other threads (the module
// library's warm-up, the audio output) are not the frames' and are not counted.
std::atomic<std::uint64_t> allocations{0};
thread_local bool framesThread = false;

void* allocate(std::size_t size)
{
    if (framesThread)
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

// Runs ms milliseconds of 10 ms ticks and returns how many allocations they made.
std::uint64_t allocationsOver(Harness& h, std::uint64_t ms)
{
    framesThread = true;
    const std::uint64_t before = allocations.load();
    h.run(ms);
    const std::uint64_t made = allocations.load() - before;
    framesThread = false;
    return made;
}

void startOnDay(Harness& h, TestSkin& skin)
{
    skin.config.font("font", "DejaVu Sans", 400, 14);
    PageRecords records;
    records.day = [](SkinConfigWriter& c) {
        c.button({100, 100, 200, 140}, 0x1009, 0);
        c.button({120, 110, 220, 150}, 0x100A, 0);
        c.indicator("musicrandom", {300, 100, 320, 120});
    };
    buildStandardSkin(skin, "dzien", true, true, records);
    h.start(skin);
    h.run(50);
    ASSERT_EQ(h.app->scenes().currentScene(), "dzien");
}

} // namespace

TEST(FrameAllocation, CountingOperatorNewSeesAllocations)
{
    framesThread = true;
    const std::uint64_t before = allocations.load();
    // A call of the function itself, which the compiler may not leave out as it may a new-expression.
    void* memory = ::operator new(16);
    EXPECT_EQ(allocations.load(), before + 1);
    ::operator delete(memory);
    framesThread = false;
}

TEST(FrameAllocation, StillAndHighlightedFramesAllocateNothing)
{
    Harness h(false);
    TestSkin skin;
    startOnDay(h, skin);
    EXPECT_EQ(allocationsOver(h, 500), 0u) << "frames that change nothing";
    h.app->mouseMove(150, 120, 0);
    const int before = h.desktop->presentCount();
    EXPECT_EQ(allocationsOver(h, 300), 0u) << "two highlights fading in, with the title";
    EXPECT_GT(h.desktop->presentCount(), before + 5) << "the frames were drawn";
}

TEST(FrameAllocation, CrossFadeFramesAllocateNothing)
{
    Harness h(false);
    TestSkin skin;
    startOnDay(h, skin);
    // The switch itself (actions, enter and leave) may allocate; the blending frames may not.
    h.act(0x1010, 13);
    ASSERT_TRUE(h.app->scenes().switchPending());
    h.run(20);
    const int before = h.desktop->presentCount();
    EXPECT_EQ(allocationsOver(h, 1000), 0u);
    EXPECT_TRUE(h.app->scenes().switchPending());
    EXPECT_GT(h.desktop->presentCount(), before + 50);
}

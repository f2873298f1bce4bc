#include "app/TickPacer.h"

#include "app/EventLoop.h"
#include "app/SceneDirector.h"
#include "audio/AudioEngine.h"
#include "base/Clock.h"
#include "elements/Page.h"

#include <algorithm>

namespace windlecroft {

TickPacer::TickPacer(EventLoop& loop, AudioEngine& engine, const Clock& clock, const SceneDirector& scenes,
                     std::optional<std::uint64_t> quitAfterMs)
    : loop_(loop), engine_(engine), clock_(clock), scenes_(scenes), quitAfterMs_(quitAfterMs), startTime_(clock.now())
{
}

void TickPacer::pace()
{
    if (!endWakeInstalled_) {
        engine_.setEndListener([this] { loop_.wakeTick(); });
        endWakeInstalled_ = true;
    }
    const bool moving = frameTicksNeeded();
    const int live = moving ? EventLoop::noTick : liveInterval();
    // Asked again every frame while live parts move: whether the desktop can take them may change.
    if (live != EventLoop::noTick || liveAsked_ != EventLoop::noTick) {
        liveApart_ = loop_.setLiveFrameInterval(live) && live != EventLoop::noTick;
        liveAsked_ = live;
    }
    int interval = moving ? frameTickMs : restingInterval(liveApart_ ? EventLoop::noTick : live);
    if (quitAfterMs_) {
        const std::uint64_t elapsed = clock_.now() - startTime_;
        const std::uint64_t left = *quitAfterMs_ > elapsed ? *quitAfterMs_ - elapsed : 0;
        const std::uint64_t longest = interval == EventLoop::noTick ? left : static_cast<std::uint64_t>(interval);
        interval = static_cast<int>(std::clamp<std::uint64_t>(left, frameTickMs, std::max<std::uint64_t>(longest, frameTickMs)));
    }
    if (interval == tickInterval_)
        return;
    tickInterval_ = interval;
    loop_.setTickInterval(interval);
}

bool TickPacer::frameTicksNeeded() const
{
    if (scenes_.busy())
        return true;
    const Page* page = scenes_.currentPage();
    return page && page->animating();
}

// A live plugin draws at its own pace, at most 25 times a second; the times and knobs of playing
// music follow it rarely.
int TickPacer::liveInterval() const
{
    const Page* page = scenes_.currentPage();
    if (!page || !page->hasLiveParts())
        return EventLoop::noTick;
    if (const std::optional<int> live = page->liveTickMs())
        return *live;
    return engine_.producing() ? restingTickMs : EventLoop::noTick;
}

// The loop's own period: the live parts' pace unless they are drawn apart, and a waiting timer's
// deadline. Playing music keeps a resting tick where no live part follows it.
int TickPacer::restingInterval(int live) const
{
    const Page* page = scenes_.currentPage();
    int interval = live;
    if ((!page || !page->hasLiveParts()) && engine_.producing())
        interval = restingTickMs;
    const auto shorten = [&interval](int candidate) {
        if (interval == EventLoop::noTick || candidate < interval)
            interval = candidate;
    };
    if (!page)
        return interval;
    const std::uint64_t now = clock_.now();
    for (const PageTimer& timer : page->timers()) {
        if (timer.armed()) {
            const std::uint64_t due = timer.dueAt();
            shorten(static_cast<int>(std::clamp<std::uint64_t>(due > now ? due - now : 0, frameTickMs, restingTickMs * 40)));
        }
    }
    return interval;
}

} // namespace windlecroft

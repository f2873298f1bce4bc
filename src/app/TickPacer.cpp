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
    int interval = frameTicksNeeded() ? frameTickMs : restingTickMs;
    // A live plugin draws at its own pace, at most 60 times a second.
    if (const Page* page = scenes_.currentPage(); page && interval == restingTickMs) {
        if (const std::optional<int> live = page->liveTickMs())
            interval = *live;
    }
    if (quitAfterMs_) {
        const std::uint64_t elapsed = clock_.now() - startTime_;
        const std::uint64_t left = *quitAfterMs_ > elapsed ? *quitAfterMs_ - elapsed : 0;
        interval = static_cast<int>(std::clamp<std::uint64_t>(left, frameTickMs, static_cast<std::uint64_t>(interval)));
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
    if (!page)
        return false;
    if (page->animating())
        return true;
    return std::any_of(page->timers().begin(), page->timers().end(), [](const PageTimer& timer) { return timer.armed(); });
}

} // namespace windlecroft

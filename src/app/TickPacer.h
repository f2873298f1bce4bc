#pragma once

#include "app/EventLoop.h"

#include <cstdint>
#include <optional>

namespace windlecroft {

class AudioEngine;
class Clock;
class SceneDirector;

/**
 * Chooses the period of the frame tick after every frame. A tick that would change nothing
 * costs a wake-up of the whole process: fades, cross-fades and moving highlights tick every
 * frame; a live plugin at its own pace; playing music rarely, for the times and knobs that
 * follow it; a waiting page timer once, at its deadline; and otherwise (music stopped or
 * paused on a still page) the loop does not tick at all. Input runs its frames at once
 * whatever the period, and the end of a track wakes the loop from the audio thread, so the
 * next track starts as soon as it would on the frame tick. A quit-after deadline is kept to
 * the frame tick. Where the desktop can run them apart from its loop, the frames that redraw
 * only live parts (a plugin, or the times and knobs of playing music) go to its live-frame
 * thread, and the loop itself sleeps until an event or a page timer needs it.
 */
class TickPacer {
public:
    static constexpr int frameTickMs = 10;
    static constexpr int restingTickMs = 250;

    TickPacer(EventLoop& loop, AudioEngine& engine, const Clock& clock, const SceneDirector& scenes,
              std::optional<std::uint64_t> quitAfterMs);

    void pace();
    /** Whether the live parts are drawn on the desktop's live-frame thread now. */
    bool liveFramesApart() const { return liveApart_; }

private:
    bool frameTicksNeeded() const;
    /** The pace of the page's live parts while nothing else moves; EventLoop::noTick for none. */
    int liveInterval() const;
    /** The period after this frame, before the quit-after deadline; EventLoop::noTick for none. */
    int restingInterval(int live) const;

    EventLoop& loop_;
    AudioEngine& engine_;
    const Clock& clock_;
    const SceneDirector& scenes_;
    std::optional<std::uint64_t> quitAfterMs_;
    std::uint64_t startTime_;
    // The tick period last asked of the loop, and whether track ends wake it.
    int tickInterval_ = frameTickMs;
    bool endWakeInstalled_ = false;
    // The live-frame period last asked of the desktop, and whether it took it.
    int liveAsked_ = EventLoop::noTick;
    bool liveApart_ = false;
};

} // namespace windlecroft

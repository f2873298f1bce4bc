#pragma once

namespace windlecroft {

class DesktopEvents;

/** The loop that delivers the desktop's events and the frame tick to the player. */
class EventLoop {
public:
    virtual ~EventLoop() = default;

    /** Runs the event loop, delivering events, until quit is posted; returns the quit code. */
    virtual int run(DesktopEvents& events) = 0;
    /** Posts the quit message: the loop ends once the current event is handled. */
    virtual void postQuit(int code) = 0;
    /**
     * The period of the frame tick from now on, in milliseconds (10 unless the player asks for
     * more). The player asks for a longer one while nothing on screen or in its timers needs the
     * tick; input still runs frames at once. A desktop may keep ticking every 10 ms.
     */
    virtual void setTickInterval(int milliseconds) { static_cast<void>(milliseconds); }
    /** The period that stops the tick altogether: only input and wakeTick() run frames then. */
    static constexpr int noTick = 0;
    /**
     * Asks for one tick as soon as the loop can run it, whatever the period. Safe to call from
     * any thread: the audio thread calls it when a track ends, so the next one starts at once.
     */
    virtual void wakeTick() {}
    /**
     * Asks for DesktopEvents::liveFrame() every `milliseconds` on a thread apart from the loop,
     * so frames that redraw only live parts cost no turn of the loop; noTick stops them. Returns
     * false when the desktop cannot present from another thread now: the tick carries them then.
     */
    virtual bool setLiveFrameInterval(int milliseconds)
    {
        static_cast<void>(milliseconds);
        return false;
    }
};

} // namespace windlecroft

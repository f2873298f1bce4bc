#pragma once

#include "base/Rect.h"

#include <cstdint>

namespace windlecroft {

class Plugin;

/**
 * A plugin drawn on every frame of its page into its rectangle, at most 25 times a second (the
 * rate of film, smooth for a visualiser, at well under half the cost of the screen's), while
 * the main channel plays when it asks for that. Before each of its frames the page puts its own
 * pixels back under the rectangle.
 */
class LivePlugin {
public:
    static constexpr std::uint64_t frameMs = 40;

    LivePlugin(Plugin& plugin, Rect rect, bool onlyWhilePlaying)
        : plugin_(plugin), rect_(rect), onlyWhilePlaying_(onlyWhilePlaying)
    {
    }

    /**
     * Whether its rectangle is to be drawn again now: a frame is due while it is active, or it
     * has just stopped being active and its last picture must go.
     */
    bool update(std::uint64_t now, bool playing)
    {
        const bool active = !onlyWhilePlaying_ || playing;
        const bool due = active ? (!drawnOnce_ || now - lastFrame_ >= frameMs) : wasActive_;
        wasActive_ = active;
        active_ = active;
        if (due && active) {
            lastFrame_ = now;
            drawnOnce_ = true;
        }
        return due;
    }

    bool active() const { return active_; }
    Plugin& plugin() const { return plugin_; }
    const Rect& rect() const { return rect_; }

private:
    Plugin& plugin_;
    Rect rect_;
    bool onlyWhilePlaying_;
    bool active_ = false;
    bool wasActive_ = false;
    bool drawnOnce_ = false;
    std::uint64_t lastFrame_ = 0;
};

} // namespace windlecroft

#pragma once

#include "base/Action.h"
#include "base/Rect.h"

#include <cstdint>

namespace windlecroft {

/**
 * A rectangle of the page that posts its action when clicked. While the pointer rests on it
 * the highlight level rises step by step to 100; while it is held, the pressed picture shows.
 */
class Button {
public:
    Button(Rect rect, Action action, std::uint64_t now) : rect_(rect), action_(action), lastStep_(now) {}

    const Rect& rect() const { return rect_; }
    Action action() const { return action_; }
    bool contains(int x, int y) const { return rect_.contains(x, y); }

    void hoverAt(int x, int y) { hover_ = contains(x, y); }
    /** Presses (or releases) the button; x = −1 stands for no position, as a key does. */
    void pressAt(bool flag, int x, int y) { pressed_ = flag && (contains(x, y) || x == -1); }
    /** Forgets hover, press and highlight, as when focus returns or the page is left. */
    void reset();

    /** One timed highlight step: at most one per 11 ms, towards 100 while hovered, else 0. */
    void stepHighlight(std::uint64_t now, std::uint16_t highlightStep);
    /** The constant alpha of the highlight blend: level × 2.55, truncated. */
    std::uint8_t highlightAlpha() const;

    bool pressed() const { return pressed_; }
    bool hover() const { return hover_; }
    float level() const { return level_; }
    void setLevel(float level) { level_ = level; }

private:
    Rect rect_;
    Action action_;
    float level_ = 0.0f;
    std::uint64_t lastStep_;
    bool pressed_ = false;
    bool hover_ = false;
};

} // namespace windlecroft

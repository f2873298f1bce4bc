#pragma once

#include "base/Rect.h"

#include <string>
#include <string_view>
#include <utility>

namespace windlecroft {

/** A lamp: shows the highlight picture in its rectangle while its named player state is on. */
class Indicator {
public:
    Indicator(Rect rect, std::string state) : rect_(rect), state_(std::move(state)) {}

    /** Switches the lamp when name is its state name (same bytes); other names change nothing. */
    void setState(std::string_view name, bool value)
    {
        if (name == state_)
            on_ = value;
    }

    const Rect& rect() const { return rect_; }
    const std::string& state() const { return state_; }
    bool on() const { return on_; }

private:
    Rect rect_;
    std::string state_;
    bool on_ = false;
};

} // namespace windlecroft

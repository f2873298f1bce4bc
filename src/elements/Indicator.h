#pragma once

#include "base/Rect.h"

#include <string>
#include <string_view>
#include <utility>

namespace windlecroft {

/** The player states an indicator can name. */
namespace indicator {
inline constexpr std::string_view musicLooped = "musiclooped";
inline constexpr std::string_view musicRandom = "musicrandom";
inline constexpr std::string_view moduleLooped = "modulelooped";

/** Whether the state is one the player switches. */
constexpr bool isKnownState(std::string_view state)
{
    return state == musicLooped || state == musicRandom || state == moduleLooped;
}
} // namespace indicator

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

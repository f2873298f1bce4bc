#pragma once

#include "base/Rect.h"

#include <cstdint>
#include <memory>

namespace windlecroft {

class Image;

/**
 * Turns a pointer drag inside a rectangle into a knob offset between 0 and a maximum that the
 * knob's size leaves free, and says when the page should announce it as (SliderMoved, id).
 */
class Slider {
public:
    enum class Orientation { Horizontal = 0, Vertical = 1 };

    Slider(Orientation orientation, bool releaseOnly, Rect rect, std::uint16_t id);
    ~Slider();

    /** Takes the knob's picture; only its size matters, it bounds the travel. */
    void setKnob(std::unique_ptr<Image> knob);
    /** Takes the knob's size directly. */
    void setKnobSize(int knobWidth, int knobHeight);

    /** A press at (x, y) (flag true) or the release (flag false with x = −1); returns whether it counts. */
    bool press(bool flag, int x, int y);
    /** Follows the pointer while dragging; returns true when this step is to be announced. */
    bool dragTo(int x, int y);

    /** value ÷ maximum × 100; 0 when the knob leaves no travel. */
    float percent() const;

    std::uint16_t id() const { return id_; }
    const Rect& rect() const { return rect_; }
    Orientation orientation() const { return orientation_; }
    bool releaseOnly() const { return releaseOnly_; }
    int value() const { return value_; }
    int maximum() const { return maximum_; }
    bool dragging() const { return dragging_; }
    int knobWidth() const { return knobWidth_; }
    int knobHeight() const { return knobHeight_; }

private:
    void setValueFromPoint(int x, int y);

    Orientation orientation_;
    bool releaseOnly_;
    std::uint16_t id_;
    Rect rect_;
    int knobWidth_ = 0;
    int knobHeight_ = 0;
    int value_ = 0;
    int maximum_ = 0;
    std::unique_ptr<Image> knob_;
    bool dragging_ = false;
};

} // namespace windlecroft

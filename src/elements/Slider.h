#pragma once

#include "base/Rect.h"
#include "elements/LiveKinds.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace windlecroft {

class Canvas;
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

    /** Makes the slider draw its knob; with a source other than its own value the knob follows it. */
    void makeLive(LiveSource source)
    {
        live_ = true;
        source_ = source;
    }
    bool live() const { return live_; }
    LiveSource source() const { return source_; }
    /**
     * Moves the knob to fraction (0 to 1) of its travel unless it is being dragged (nothing
     * leaves it where it is); true when the knob must be drawn again.
     */
    bool follow(std::optional<double> fraction);
    /**
     * What follow() changed on screen: the knob where it was drawn and where it is now, inside
     * the slider's rectangle (the whole rectangle before the knob was first drawn).
     */
    Rect knobChange() const;
    /** Draws the knob's picture at its value, only inside clip. */
    void drawKnob(Canvas& canvas, const Rect& clip);

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
    bool live_ = false;
    LiveSource source_ = LiveSource::OwnValue;
    // The value the knob was drawn at; −1 before it was drawn.
    int drawnValue_ = -1;
};

} // namespace windlecroft

#include "elements/Slider.h"

#include "elements/RectExtent.h"
#include "resources/Canvas.h"
#include "resources/Image.h"

#include <algorithm>
#include <cmath>

namespace windlecroft {

Slider::Slider(Orientation orientation, bool releaseOnly, Rect rect, std::uint16_t id)
    : orientation_(orientation), releaseOnly_(releaseOnly), id_(id), rect_(rect)
{
    setKnobSize(0, 0);
}

Slider::~Slider() = default;

void Slider::setKnob(std::unique_ptr<Image> knob)
{
    knob_ = std::move(knob);
    setKnobSize(knob_ ? knob_->width() : 0, knob_ ? knob_->height() : 0);
}

void Slider::setKnobSize(int knobWidth, int knobHeight)
{
    knobWidth_ = knobWidth;
    knobHeight_ = knobHeight;
    const std::int64_t travel = orientation_ == Orientation::Horizontal
        ? std::int64_t{rect_.right} - rect_.left - knobWidth
        : std::int64_t{rect_.bottom} - rect_.top - knobHeight;
    // A knob larger than its track leaves no travel at all rather than a negative one.
    maximum_ = travel < 0 ? 0 : clampToInt(travel);
}

// A horizontal knob is centred on the pointer; a vertical one hangs below it by its whole height.
void Slider::setValueFromPoint(int x, int y)
{
    const std::int64_t value = orientation_ == Orientation::Horizontal
        ? std::int64_t{x} - knobWidth_ / 2 - rect_.left
        : std::int64_t{y} - knobHeight_ - rect_.top;
    value_ = value < 0 ? 0 : value > maximum_ ? maximum_ : static_cast<int>(value);
}

bool Slider::press(bool flag, int x, int y)
{
    if (x == -1) {
        // The release: report whether a drag was going on, so every drag ends with one announcement.
        const bool wasDragging = dragging_;
        dragging_ = flag;
        return wasDragging;
    }
    if (!rect_.contains(x, y))
        return false;
    dragging_ = flag;
    setValueFromPoint(x, y);
    return true;
}

bool Slider::dragTo(int x, int y)
{
    if (!dragging_ || !rect_.contains(x, y))
        return false;
    setValueFromPoint(x, y);
    return !releaseOnly_;
}

float Slider::percent() const
{
    if (maximum_ == 0)
        return 0.0f;
    return static_cast<float>(value_) / static_cast<float>(maximum_) * 100.0f;
}

bool Slider::follow(std::optional<double> fraction)
{
    if (fraction && !dragging_) {
        const double clamped = std::clamp(*fraction, 0.0, 1.0);
        value_ = static_cast<int>(std::lround(clamped * maximum_));
    }
    return value_ != drawnValue_;
}

Rect Slider::knobChange() const
{
    if (drawnValue_ < 0)
        return rect_;
    const auto knobAt = [this](int value) {
        const int x = orientation_ == Orientation::Horizontal ? rect_.left + value : rect_.left;
        const int y = orientation_ == Orientation::Horizontal ? rect_.top : rect_.top + value;
        return Rect{x, y, x + knobWidth_, y + knobHeight_};
    };
    const Rect was = knobAt(drawnValue_);
    const Rect now = knobAt(value_);
    return intersection({std::min(was.left, now.left), std::min(was.top, now.top), std::max(was.right, now.right),
                         std::max(was.bottom, now.bottom)},
                        rect_);
}

void Slider::drawKnob(Canvas& canvas, const Rect& clip)
{
    drawnValue_ = value_;
    if (!knob_)
        return;
    const int x = orientation_ == Orientation::Horizontal ? rect_.left + value_ : rect_.left;
    const int y = orientation_ == Orientation::Horizontal ? rect_.top : rect_.top + value_;
    const Rect knob = intersection({x, y, x + knobWidth_, y + knobHeight_}, clip);
    if (!holdsNoPixel(knob))
        canvas.copy(*knob_, knob.left, knob.top, knob.right - knob.left, knob.bottom - knob.top, knob.left - x, knob.top - y);
}

} // namespace windlecroft

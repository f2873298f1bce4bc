#include "elements/Button.h"

namespace windlecroft {

void Button::reset()
{
    level_ = 0.0f;
    hoverAt(-1, -1);
    pressed_ = false;
}

void Button::stepHighlight(std::uint64_t now, std::uint16_t highlightStep)
{
    const auto elapsed = static_cast<std::int64_t>(now - lastStep_);
    // One step on every frame tick (10 ms apart); a faster burst of frames does not speed it up.
    if (elapsed < 0 || elapsed < 10)
        return;
    const float step = highlightStep;
    if (hover_)
        level_ = level_ > 100.0f - step ? 100.0f : level_ + step;
    else
        level_ = step <= level_ ? level_ - step : 0.0f;
    lastStep_ = now;
}

std::uint8_t Button::highlightAlpha() const
{
    // Single precision on purpose: level 100 must give exactly 255.
    const float alpha = level_ * 2.55f;
    if (alpha <= 0.0f)
        return 0;
    return alpha >= 255.0f ? 255 : static_cast<std::uint8_t>(alpha);
}

} // namespace windlecroft

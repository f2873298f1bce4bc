#include "audio/VolumeRamp.h"

#include <algorithm>

namespace windlecroft {

namespace {

float gainOf(int volume) { return static_cast<float>(std::min(volume, 100)) / 100.0f; }

} // namespace

void VolumeRamp::set(int volume)
{
    if (volume < 0)
        return;
    current_ = target_ = start_ = gainOf(volume);
    remaining_ = 0;
    stopWhenSilent_ = false;
}

void VolumeRamp::slideTo(int volume, std::uint64_t frames)
{
    const bool fadeOut = volume == fadeOutAndStop;
    if (volume < 0 && !fadeOut)
        return;
    start_ = current_;
    target_ = fadeOut ? 0.0f : gainOf(volume);
    elapsed_ = 0;
    remaining_ = frames;
    stopWhenSilent_ = fadeOut;
    if (frames == 0) {
        current_ = target_;
        fadedOut_ = fadeOut;
    }
}

void VolumeRamp::skip(std::uint64_t frames)
{
    const std::uint64_t step = std::min(frames, remaining_);
    if (step == 0)
        return;
    elapsed_ += step - 1;
    remaining_ -= step - 1;
    next();
}

} // namespace windlecroft

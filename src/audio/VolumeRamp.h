#pragma once

#include <cstdint>

namespace windlecroft {

/**
 * A channel's volume as a gain per output frame: set at once, or slid linearly over a number of
 * frames. The slide advances only as frames are rendered, so its timing follows the audio that
 * was actually produced. Sliding to the special volume fadeOutAndStop ends at silence and then
 * reports fadedOut(), which tells the engine to stop and free the channel.
 */
class VolumeRamp {
public:
    static constexpr int fadeOutAndStop = -2;

    /** Sets the volume 0..100 (larger values count as 100) and ends any slide; negative values change nothing. */
    void set(int volume);
    /** Slides from the current gain to volume over frames; 0 frames is the same as set. */
    void slideTo(int volume, std::uint64_t frames);

    /** The gain for the next frame; moves the slide on by one frame. */
    float next()
    {
        if (remaining_ == 0)
            return current_;
        --remaining_;
        ++elapsed_;
        current_ = remaining_ == 0 ? target_ : start_ + (target_ - start_) * static_cast<float>(elapsed_) / static_cast<float>(elapsed_ + remaining_);
        if (remaining_ == 0 && stopWhenSilent_)
            fadedOut_ = true;
        return current_;
    }

    /** Moves the slide on by frames without producing gains (for a channel that is not sounding). */
    void skip(std::uint64_t frames);

    bool sliding() const { return remaining_ != 0; }
    bool fadedOut() const { return fadedOut_; }
    float gain() const { return current_; }

private:
    float current_ = 1.0f;
    float start_ = 1.0f;
    float target_ = 1.0f;
    std::uint64_t elapsed_ = 0;
    std::uint64_t remaining_ = 0;
    bool stopWhenSilent_ = false;
    bool fadedOut_ = false;
};

} // namespace windlecroft

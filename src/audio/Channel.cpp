#include "audio/Channel.h"

#include <algorithm>

namespace windlecroft {

void Channel::play(std::uint32_t flags)
{
    loop_ = flags & PlayFlag::Loop;
    decoder_->configure(flags);
    held_ = false;
    state_ = ChannelState::Playing;
}

void Channel::pause()
{
    if (state_ == ChannelState::Playing)
        state_ = ChannelState::Paused;
}

void Channel::resume()
{
    if (state_ == ChannelState::Paused)
        state_ = ChannelState::Playing;
}

bool Channel::setPosition(std::uint64_t position)
{
    if (!decoder_->setPosition(position))
        return false;
    held_ = false;
    return true;
}

bool Channel::setPositionSeconds(double seconds)
{
    if (!decoder_->setPositionSeconds(seconds))
        return false;
    held_ = false;
    return true;
}

void Channel::setHoldAtEnd(bool hold)
{
    holdAtEnd_ = hold;
    if (!hold && held_) {
        held_ = false;
        decoder_->restart();
    }
}

std::size_t Channel::fill(std::span<float> scratch, MixOutcome& outcome)
{
    const std::size_t frames = scratch.size() / 2;
    std::size_t produced = 0;
    bool emptyPass = false;
    while (produced < frames) {
        const std::size_t got = decoder_->render(scratch.subspan(2 * produced));
        produced += got;
        if (produced == frames)
            break;
        outcome.reachedEnd = true;
        if (!loop_) {
            state_ = ChannelState::Stopped;
            break;
        }
        if (holdAtEnd_) {
            held_ = true;
            break;
        }
        decoder_->restart();
        // A track that yields nothing even right after starting over would keep this loop
        // spinning; it stays silent for the rest of the block instead.
        if (got == 0) {
            if (emptyPass)
                break;
            emptyPass = true;
        }
    }
    std::fill(scratch.begin() + static_cast<std::ptrdiff_t>(2 * produced), scratch.begin() + static_cast<std::ptrdiff_t>(2 * frames), 0.0f);
    return produced;
}

MixOutcome Channel::mixInto(std::span<float> out, std::span<float> scratch)
{
    MixOutcome outcome;
    const std::size_t frames = out.size() / 2;
    if (state_ != ChannelState::Playing || held_) {
        volume_.skip(frames);
        outcome.fadedOut = volume_.fadedOut();
        return outcome;
    }
    const std::span<float> block = scratch.first(2 * frames);
    const std::size_t produced = fill(block, outcome);
    // A steady gain is read once; a slide moves on by one step per frame, sounding or not.
    const bool sliding = volume_.sliding();
    const float steadyGain = volume_.gain();
    for (std::size_t i = 0; i < produced; ++i) {
        const float gain = sliding ? volume_.next() : steadyGain;
        const float left = block[2 * i];
        const float right = block[2 * i + 1];
        out[2 * i] += left * gain;
        out[2 * i + 1] += right * gain;
        history_.push(0.5f * (left + right));
    }
    volume_.skip(frames - produced);
    outcome.fadedOut = volume_.fadedOut();
    return outcome;
}

} // namespace windlecroft

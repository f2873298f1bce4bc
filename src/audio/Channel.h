#pragma once

#include "audio/ChannelTypes.h"
#include "audio/Decoder.h"
#include "audio/SampleHistory.h"
#include "audio/VolumeRamp.h"

#include <memory>
#include <span>

namespace windlecroft {

/** What happened while a channel was mixed into one block. */
struct MixOutcome {
    bool reachedEnd = false; // the decoder ended at least once
    bool fadedOut = false;   // a fade to silence-and-stop finished: free the channel
};

/**
 * One channel of the engine: a decoder with its playing state, loop flag, volume and the
 * samples it played last. Used only under the engine's lock.
 */
class Channel {
public:
    explicit Channel(std::unique_ptr<Decoder> decoder) : decoder_(std::move(decoder)) {}

    ChannelState state() const { return state_; }
    Decoder& decoder() { return *decoder_; }
    const Decoder& decoder() const { return *decoder_; }
    VolumeRamp& volume() { return volume_; }
    const SampleHistory& history() const { return history_; }
    /** The output begins a new block (see SampleHistory::markBlock). */
    void markBlock() { history_.markBlock(); }

    /** Starts (or restarts) playing from the current position with the given PlayFlag values. */
    void play(std::uint32_t flags);
    void pause();
    void resume();
    void stop() { state_ = ChannelState::Stopped; }

    /** Moves the decoder; a channel held at its end plays on from there. */
    bool setPosition(std::uint64_t position);
    bool setPositionSeconds(double seconds);

    /**
     * When on, a looping channel that reaches its end falls silent there instead of starting
     * over, until this is switched off again (or the position is set).
     */
    void setHoldAtEnd(bool hold);
    bool held() const { return held_; }

    SyncHandle endSync = 0;

    /**
     * Adds this channel's next out.size() / 2 frames into out. scratch must be at least as long
     * as out. The volume slide moves on even while the channel is silent.
     */
    MixOutcome mixInto(std::span<float> out, std::span<float> scratch);

private:
    std::size_t fill(std::span<float> scratch, MixOutcome& outcome);

    std::unique_ptr<Decoder> decoder_;
    ChannelState state_ = ChannelState::Stopped;
    bool loop_ = false;
    bool holdAtEnd_ = false;
    bool held_ = false;
    VolumeRamp volume_;
    SampleHistory history_;
};

} // namespace windlecroft

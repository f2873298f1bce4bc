#pragma once

#include <cstdint>
#include <span>

namespace windlecroft {

/**
 * A source of sound for one channel: it renders stereo float frames at the engine's output rate
 * and knows its position and length in its own units (bytes of 16-bit PCM for streams, order
 * and row for modules). Decoders are used under the engine's lock, one thread at a time.
 */
class Decoder {
public:
    virtual ~Decoder() = default;

    /**
     * Fills out (interleaved left, right) and returns the number of frames written. Fewer frames
     * than fit mean that the end was reached during this call.
     */
    virtual std::size_t render(std::span<float> out) = 0;

    /** After the end was reached: makes the next render start over (a module at its loop start). */
    virtual void restart() = 0;

    virtual std::uint64_t position() const = 0;
    /** Moves to position; returns false and changes nothing when it is out of range. */
    virtual bool setPosition(std::uint64_t position) = 0;
    virtual std::uint64_t length() const = 0;

    /** Applies PlayFlag values; called whenever the channel is started. */
    virtual void configure(std::uint32_t flags) = 0;

    /** Bytes of 16-bit PCM per second of the source's own format; 0 where positions are not bytes. */
    virtual std::uint64_t bytesPerSecond() const { return 0; }

    /** The position and the length in seconds of the piece (what a person reads off a clock). */
    virtual double positionSeconds() const { return toSeconds(position()); }
    virtual double lengthSeconds() const { return toSeconds(length()); }
    /** How far into the piece it plays, 0 to 1, on the scale a seek by percent uses. */
    virtual double positionFraction() const
    {
        const std::uint64_t whole = length();
        return whole == 0 ? 0.0 : static_cast<double>(position()) / static_cast<double>(whole);
    }
    /** Moves to that second of the piece; returns false and changes nothing when it is out of range. */
    virtual bool setPositionSeconds(double seconds)
    {
        const std::uint64_t rate = bytesPerSecond();
        if (rate == 0 || !(seconds >= 0.0) || seconds > lengthSeconds())
            return false;
        return setPosition(static_cast<std::uint64_t>(seconds * static_cast<double>(rate)));
    }

private:
    double toSeconds(std::uint64_t bytes) const
    {
        const std::uint64_t rate = bytesPerSecond();
        return rate == 0 ? 0.0 : static_cast<double>(bytes) / static_cast<double>(rate);
    }
};

} // namespace windlecroft

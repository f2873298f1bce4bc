#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace windlecroft {

/**
 * One decoding library's view of a sampled music file: stereo float frames in sections of one
 * sample rate each (a chained Ogg file may change its rate and channel count from one chain to
 * the next; most files are one section).
 *
 * The timeline: positions and the length count frames at the rate of the first section. A later
 * section at another rate counts its frames scaled by time, so that a second of it is always
 * rate() frames of the timeline.
 */
class StreamSource {
public:
    /** Frames given by one read, all of one section, and the sample rate they play at. */
    struct Block {
        std::size_t frames = 0;
        int rate = 0;
    };

    virtual ~StreamSource() = default;

    /** The sample rate and channel count of the first section: the units of the timeline and of byte positions. */
    virtual int rate() const = 0;
    virtual int channels() const = 0;
    /** The length in frames of the timeline. */
    virtual std::uint64_t length() const = 0;

    /**
     * Decodes up to stereo.size() / 2 frames, interleaved left and right (a mono section on both
     * sides). No frames mean the end, or damage the library cannot read past.
     */
    virtual Block read(std::span<float> stereo) = 0;

    /** Moves to a frame of the timeline (up to length()); false when the library cannot. */
    virtual bool seek(std::uint64_t frame) = 0;
};

} // namespace windlecroft

#pragma once

#include <cstddef>
#include <span>
#include <utility>

struct soxr;

namespace windlecroft {

/** Converts interleaved stereo float frames from one sample rate to another with libsoxr. */
class StreamResampler {
public:
    StreamResampler(double inputRate, double outputRate);
    ~StreamResampler();
    StreamResampler(const StreamResampler&) = delete;
    StreamResampler& operator=(const StreamResampler&) = delete;

    bool valid() const { return soxr_ != nullptr; }

    /**
     * Takes frames from input and writes converted frames to output; returns (frames consumed,
     * frames produced). An empty input means the input has ended: what is still buffered comes
     * out, and 0 produced frames means everything has come out.
     */
    std::pair<std::size_t, std::size_t> process(std::span<const float> input, std::span<float> output);

    /** Forgets buffered frames, for a jump in the input. */
    void reset();

    /** Input frames taken but not yet given out, as a number of input frames. */
    double delayInInputFrames() const;

private:
    soxr* soxr_ = nullptr;
    double ratio_; // input rate / output rate
};

} // namespace windlecroft

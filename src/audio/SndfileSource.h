#pragma once

#include "audio/StreamSource.h"

#include <sndfile.h>

#include <memory>
#include <vector>

namespace windlecroft {

class StreamInput;

/**
 * FLAC, WAV and the other sampled formats of libsndfile (AIFF, AU and more). Of several
 * channels the first two play, which are the front left and right in WAV's and FLAC's order.
 */
class SndfileSource final : public StreamSource {
public:
    /** Null when the library cannot read the input. The input must outlive the source. */
    static std::unique_ptr<SndfileSource> open(StreamInput& input);

    ~SndfileSource() override;
    SndfileSource(const SndfileSource&) = delete;
    SndfileSource& operator=(const SndfileSource&) = delete;

    int rate() const override { return info_.samplerate; }
    int channels() const override { return info_.channels; }
    std::uint64_t length() const override { return static_cast<std::uint64_t>(info_.frames); }
    Block read(std::span<float> stereo) override;
    bool seek(std::uint64_t frame) override;

private:
    SndfileSource() = default;

    SF_VIRTUAL_IO io_{};
    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
    std::vector<float> native_; // one block as the file stores it
};

} // namespace windlecroft

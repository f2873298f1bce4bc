#pragma once

#include "audio/StreamSource.h"

#include <memory>

struct mpg123_handle_struct;

namespace windlecroft {

class StreamInput;

/**
 * MPEG audio (MP3, and MPEG-2 and 2.5 layers, free format) through libmpg123. Opening scans every
 * frame header once, without decoding, for the true length: a Xing or VBRI header that claims
 * another frame count does not decide it. Playback is gapless (the encoder's delay and padding
 * named in a LAME tag are removed); ID3v1, ID3v2 and APE tags and junk around the frames are
 * skipped.
 */
class Mp3Source final : public StreamSource {
public:
    /** Null when the input holds no MPEG audio frames. The input must outlive the source. */
    static std::unique_ptr<Mp3Source> open(StreamInput& input);

    ~Mp3Source() override;
    Mp3Source(const Mp3Source&) = delete;
    Mp3Source& operator=(const Mp3Source&) = delete;

    int rate() const override { return firstRate_; }
    int channels() const override { return firstChannels_; }
    std::uint64_t length() const override { return length_; }
    Block read(std::span<float> stereo) override;
    bool seek(std::uint64_t frame) override;

private:
    explicit Mp3Source(mpg123_handle_struct* handle) : handle_(handle) {}
    /** Takes the format the library announces; false (and no more reads) for one it should not give. */
    bool takeFormat();

    mpg123_handle_struct* handle_;
    int firstRate_ = 0;
    int firstChannels_ = 0;
    // The format of the frames the next read gives: a stream may change it between frames.
    int rate_ = 0;
    int channels_ = 0;
    std::uint64_t length_ = 0;
};

} // namespace windlecroft

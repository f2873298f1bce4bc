#pragma once

#include "audio/StreamSource.h"

#include <memory>

struct OggOpusFile;

namespace windlecroft {

class StreamInput;

/**
 * Ogg Opus through libopusfile: every chain of a chained file and the Opus stream of a
 * multiplexed one. Opus always decodes at 48 kHz; the library mixes any channel layout down to
 * stereo. Length and seeking come from the library's own index.
 */
class OpusSource final : public StreamSource {
public:
    /** Null when the input holds no Opus stream the library can open. The input must outlive the source. */
    static std::unique_ptr<OpusSource> open(StreamInput& input);

    ~OpusSource() override;
    OpusSource(const OpusSource&) = delete;
    OpusSource& operator=(const OpusSource&) = delete;

    int rate() const override { return decodingRate; }
    int channels() const override;
    std::uint64_t length() const override;
    Block read(std::span<float> stereo) override;
    bool seek(std::uint64_t frame) override;

private:
    static constexpr int decodingRate = 48000;

    explicit OpusSource(OggOpusFile* file) : file_(file) {}

    OggOpusFile* file_;
};

} // namespace windlecroft

#pragma once

#include "audio/StreamSource.h"

#include <memory>
#include <vector>

struct OggVorbis_File;

namespace windlecroft {

class StreamInput;

/**
 * Ogg Vorbis through libvorbisfile: every chain of a chained file, one after the other, and the
 * Vorbis stream of a file that multiplexes it with others (video, say), whose pages are skipped.
 * Length and seeking come from the library's own index of the chains.
 */
class VorbisSource final : public StreamSource {
public:
    /** Null when the input holds no Vorbis stream the library can open. The input must outlive the source. */
    static std::unique_ptr<VorbisSource> open(StreamInput& input);

    ~VorbisSource() override;
    VorbisSource(const VorbisSource&) = delete;
    VorbisSource& operator=(const VorbisSource&) = delete;

    int rate() const override;
    int channels() const override;
    std::uint64_t length() const override { return length_; }
    Block read(std::span<float> stereo) override;
    bool seek(std::uint64_t frame) override;

private:
    // A chain: where its samples start in the library's count (which simply adds up the samples
    // of all chains) and on the timeline, how many it has and at what rate.
    struct Chain {
        std::int64_t firstSample = 0;
        std::int64_t samples = 0;
        std::uint64_t firstFrame = 0;
        int rate = 0;
    };

    VorbisSource();
    bool indexChains();

    std::unique_ptr<OggVorbis_File> file_;
    bool opened_ = false;
    std::vector<Chain> chains_;
    std::uint64_t length_ = 0;
};

} // namespace windlecroft

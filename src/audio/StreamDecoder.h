#pragma once

#include "audio/Decoder.h"
#include "audio/StreamResampler.h"

#include <sndfile.h>

#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace windlecroft {

/**
 * Sampled audio files (MP3, Ogg Vorbis and whatever else libsndfile reads), decoded as they
 * play. Positions and the length are bytes of 16-bit PCM in the file's own channel count and
 * rate. Mono files play on both sides; files at another rate than the output are resampled.
 */
class StreamDecoder final : public Decoder {
public:
    /** Decodes from memory that must stay valid while the decoder lives; it is not copied. Null when unreadable. */
    static std::unique_ptr<StreamDecoder> open(std::span<const std::uint8_t> data);
    /** Decodes a regular file on disk as it plays; null when it is no regular file or cannot be read. */
    static std::unique_ptr<StreamDecoder> open(const std::filesystem::path& file);

    ~StreamDecoder() override;
    StreamDecoder(const StreamDecoder&) = delete;
    StreamDecoder& operator=(const StreamDecoder&) = delete;

    std::size_t render(std::span<float> out) override;
    void restart() override;
    std::uint64_t position() const override;
    bool setPosition(std::uint64_t position) override;
    std::uint64_t length() const override;
    void configure(std::uint32_t) override {}
    std::uint64_t bytesPerSecond() const override;

    /** Where libsndfile's reads from memory have got to. */
    struct MemoryCursor {
        std::span<const std::uint8_t> data;
        sf_count_t position = 0;
    };

private:
    StreamDecoder() = default;
    bool prepare();
    std::size_t readSource(std::span<float> stereo);
    std::size_t renderResampled(std::span<float> out);
    std::uint64_t bytesPerFrame() const;

    MemoryCursor memory_;
    SF_VIRTUAL_IO io_{};
    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
    std::unique_ptr<StreamResampler> resampler_;
    std::vector<float> native_;     // one block as the file stores it
    std::vector<float> input_;      // one block converted to stereo, waiting for the resampler
    std::size_t inputOffset_ = 0;   // frames of input_ already taken
    std::size_t inputFrames_ = 0;   // frames in input_
    bool sourceEnded_ = false;
    std::uint64_t sourceFrames_ = 0; // frames of the file handed on (to the output or the resampler)
};

} // namespace windlecroft

#pragma once

#include "audio/Decoder.h"
#include "audio/StreamInput.h"
#include "audio/StreamResampler.h"
#include "audio/StreamSource.h"

#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace windlecroft {

/**
 * Sampled audio files (MP3, Ogg Vorbis, Ogg Opus, FLAC, WAV and the other formats of libsndfile),
 * decoded as they play by the library their content calls for. Mono files play on both sides;
 * files at another rate than the output are resampled.
 *
 * Positions and the length are bytes of 16-bit PCM in the channel count and rate of the file's
 * first section. A chained Ogg file may change rate or channel count from one chain to the
 * next: a later chain counts by time, each of its seconds as a second of the first chain's
 * format, so that a step of ten seconds is always ten seconds. At such a change the resampler
 * gives out all it holds of the old chain before the new one starts at its own rate.
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

private:
    explicit StreamDecoder(std::unique_ptr<StreamInput> input);
    static std::unique_ptr<StreamDecoder> prepare(std::unique_ptr<StreamInput> input);
    void readBlock();
    bool startSection(int rate);
    // Timeline frames per frame of the section playing now.
    double timelineScale() const;
    std::uint64_t bytesPerFrame() const;

    // The input outlives the source, which reads it until it is destroyed.
    std::unique_ptr<StreamInput> input_;
    std::unique_ptr<StreamSource> source_;
    std::unique_ptr<StreamResampler> resampler_; // none while the section plays at the output rate
    int sectionRate_ = 0;          // the rate of the section playing now
    int blockRate_ = 0;            // the rate of the frames in block_
    std::vector<float> block_;     // stereo frames from the source, waiting to be played
    std::size_t blockOffset_ = 0;  // frames of block_ already taken
    std::size_t blockFrames_ = 0;  // frames in block_
    bool sourceEnded_ = false;
    double timeline_ = 0;          // timeline frames handed on (to the output or the resampler)
};

} // namespace windlecroft

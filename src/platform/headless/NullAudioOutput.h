#pragma once

#include "audio/AudioOutput.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace windlecroft {

/**
 * An output without a device: it pulls from its source only when asked, so a test decides
 * exactly how much audio passes and can inspect every sample. It may be asked from any thread.
 */
class NullAudioOutput final : public AudioOutput {
public:
    void start(AudioSource& source) override;
    void stop() override;
    bool started() const;

    /** Pulls frames stereo frames now and returns them interleaved; silence when not started. */
    std::vector<float> renderFrames(std::size_t frames);
    /** Pulls the frames of milliseconds of audio at the output rate. */
    std::vector<float> renderMilliseconds(std::uint32_t milliseconds);

    /** The number of frames of milliseconds of audio. */
    static std::size_t framesFor(std::uint32_t milliseconds)
    {
        return static_cast<std::size_t>(milliseconds) * sampleRate / 1000;
    }

private:
    mutable std::mutex mutex_;
    AudioSource* source_ = nullptr;
};

} // namespace windlecroft

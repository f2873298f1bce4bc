#include "platform/headless/NullAudioOutput.h"

namespace windlecroft {

void NullAudioOutput::start(AudioSource& source)
{
    std::lock_guard lock(mutex_);
    source_ = &source;
}

void NullAudioOutput::stop()
{
    std::lock_guard lock(mutex_);
    source_ = nullptr;
}

bool NullAudioOutput::started() const
{
    std::lock_guard lock(mutex_);
    return source_ != nullptr;
}

std::vector<float> NullAudioOutput::renderFrames(std::size_t frames)
{
    std::vector<float> samples(frames * channelCount, 0.0f);
    // Holding the lock while rendering makes stop() wait for a pull in progress, as a device would.
    std::lock_guard lock(mutex_);
    if (source_)
        source_->render(samples);
    return samples;
}

std::vector<float> NullAudioOutput::renderMilliseconds(std::uint32_t milliseconds) { return renderFrames(framesFor(milliseconds)); }

} // namespace windlecroft

#include "audio/AudioEngine.h"

#include "audio/Channel.h"
#include "audio/ModuleDecoder.h"
#include "audio/StreamDecoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>

namespace windlecroft {

namespace {

// The mixer works through a pull in blocks of at most this many frames, so that its scratch
// memory is allocated once and never on the output's thread.
constexpr std::size_t mixBlockFrames = 2048;

} // namespace

AudioEngine::AudioEngine(std::ostream& diagnostics)
    : diagnostics_(diagnostics)
    , scratch_(2 * mixBlockFrames)
    , moduleWarmUp_([] {
        // Bytes no module format accepts: the library sets itself up, then refuses them.
        constexpr std::array<std::uint8_t, 4> nothing{};
        ModuleDecoder::open(nothing);
    })
{
}

AudioEngine::~AudioEngine()
{
    waitForModuleWarmUp();
    freeAll();
}

// Modules are only opened once the warm-up is over, so the library never sets itself up on two
// threads at once.
void AudioEngine::waitForModuleWarmUp()
{
    if (moduleWarmUp_.joinable())
        moduleWarmUp_.join();
}

ChannelHandle AudioEngine::createStream(std::span<const std::uint8_t> data, std::string_view name)
{
    return add(StreamDecoder::open(data), name);
}

ChannelHandle AudioEngine::createStream(const std::filesystem::path& file)
{
    return add(StreamDecoder::open(file), file.string());
}

ChannelHandle AudioEngine::loadModule(std::span<const std::uint8_t> data, std::string_view name)
{
    waitForModuleWarmUp();
    return add(ModuleDecoder::open(data), name);
}

ChannelHandle AudioEngine::loadModule(const std::filesystem::path& file)
{
    waitForModuleWarmUp();
    return add(ModuleDecoder::open(file), file.string());
}

ChannelHandle AudioEngine::add(std::unique_ptr<Decoder> decoder, std::string_view name)
{
    if (!decoder) {
        // The player goes on silently with handle 0; the line says why nothing is heard.
        diagnostics_ << "windlecroft: can't play music file " << name << '\n';
        return 0;
    }
    auto channel = std::make_unique<Channel>(std::move(decoder));
    std::lock_guard lock(mutex_);
    // Handles are never reused while alive, and 0 is skipped when the counter wraps.
    while (nextHandle_ == 0 || channels_.contains(nextHandle_))
        ++nextHandle_;
    const ChannelHandle handle = nextHandle_++;
    channels_.emplace(handle, std::move(channel));
    return handle;
}

Channel* AudioEngine::find(ChannelHandle channel) const
{
    const auto found = channels_.find(channel);
    return found == channels_.end() ? nullptr : found->second.get();
}

std::unique_ptr<Channel> AudioEngine::detach(ChannelHandle channel)
{
    const auto found = channels_.find(channel);
    if (found == channels_.end())
        return nullptr;
    std::unique_ptr<Channel> detached = std::move(found->second);
    channels_.erase(found);
    if (detached->endSync)
        mailbox_.discard(detached->endSync);
    return detached;
}

void AudioEngine::play(ChannelHandle channel, std::uint32_t flags)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->play(flags);
}

ChannelState AudioEngine::isActive(ChannelHandle channel) const
{
    std::lock_guard lock(mutex_);
    const Channel* found = find(channel);
    return found ? found->state() : ChannelState::Stopped;
}

bool AudioEngine::producing() const
{
    std::lock_guard lock(mutex_);
    return std::any_of(channels_.begin(), channels_.end(),
                       [](const auto& entry) { return entry.second->state() == ChannelState::Playing; });
}

void AudioEngine::pause(ChannelHandle channel)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->pause();
}

void AudioEngine::resume(ChannelHandle channel)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->resume();
}

void AudioEngine::stop(ChannelHandle channel)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->stop();
}

void AudioEngine::free(ChannelHandle channel)
{
    std::unique_ptr<Channel> detached;
    {
        std::lock_guard lock(mutex_);
        detached = detach(channel);
    }
    // The decoder is destroyed outside the lock so that the output is not kept waiting.
}

void AudioEngine::freeAll()
{
    std::map<ChannelHandle, std::unique_ptr<Channel>> detached;
    {
        std::lock_guard lock(mutex_);
        detached.swap(channels_);
    }
    mailbox_.takeAll();
}

std::uint64_t AudioEngine::position(ChannelHandle channel) const
{
    std::lock_guard lock(mutex_);
    const Channel* found = find(channel);
    return found ? found->decoder().position() : 0;
}

void AudioEngine::setPosition(ChannelHandle channel, std::uint64_t position)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->setPosition(position);
}

void AudioEngine::setPositionSeconds(ChannelHandle channel, double seconds)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->setPositionSeconds(seconds);
}

std::uint64_t AudioEngine::length(ChannelHandle channel) const
{
    std::lock_guard lock(mutex_);
    const Channel* found = find(channel);
    return found ? found->decoder().length() : 0;
}

std::uint64_t AudioEngine::secondsToBytes(ChannelHandle channel, double seconds) const
{
    std::lock_guard lock(mutex_);
    const Channel* found = find(channel);
    if (!found || seconds <= 0)
        return 0;
    return static_cast<std::uint64_t>(seconds * static_cast<double>(found->decoder().bytesPerSecond()));
}

double AudioEngine::seconds(ChannelHandle channel) const
{
    std::lock_guard lock(mutex_);
    const Channel* found = find(channel);
    return found ? found->decoder().positionSeconds() : 0.0;
}

double AudioEngine::lengthSeconds(ChannelHandle channel) const
{
    std::lock_guard lock(mutex_);
    const Channel* found = find(channel);
    return found ? found->decoder().lengthSeconds() : 0.0;
}

double AudioEngine::fraction(ChannelHandle channel) const
{
    std::lock_guard lock(mutex_);
    const Channel* found = find(channel);
    return found ? found->decoder().positionFraction() : 0.0;
}

int AudioEngine::volume(ChannelHandle channel) const
{
    std::lock_guard lock(mutex_);
    Channel* found = find(channel);
    return found ? static_cast<int>(std::lround(found->volume().gain() * 100.0f)) : 0;
}

void AudioEngine::setVolume(ChannelHandle channel, int volume)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->volume().set(volume);
}

void AudioEngine::slideVolume(ChannelHandle channel, int volume, std::uint32_t milliseconds)
{
    std::unique_ptr<Channel> detached;
    std::lock_guard lock(mutex_);
    Channel* found = find(channel);
    if (!found)
        return;
    const std::uint64_t frames = static_cast<std::uint64_t>(milliseconds) * outputRate / 1000;
    found->volume().slideTo(volume, frames);
    // A fade out over no time at all ends here and now.
    if (found->volume().fadedOut())
        detached = detach(channel);
}

SyncHandle AudioEngine::setEndSync(ChannelHandle channel)
{
    std::lock_guard lock(mutex_);
    Channel* found = find(channel);
    if (!found)
        return 0;
    if (nextSync_ == 0)
        ++nextSync_;
    found->endSync = nextSync_++;
    return found->endSync;
}

void AudioEngine::removeSync(ChannelHandle channel, SyncHandle sync)
{
    std::lock_guard lock(mutex_);
    Channel* found = find(channel);
    if (!found || sync == 0 || found->endSync != sync)
        return;
    found->endSync = 0;
    mailbox_.discard(sync);
}

void AudioEngine::setHoldAtEnd(ChannelHandle channel, bool hold)
{
    std::lock_guard lock(mutex_);
    if (Channel* found = find(channel))
        found->setHoldAtEnd(hold);
}

bool AudioEngine::spectrum(ChannelHandle channel, std::span<float, FrequencyAnalyzer::binCount> magnitudes)
{
    std::array<float, SampleHistory::windowSize> samples;
    std::uint64_t end = 0;
    {
        std::lock_guard lock(mutex_);
        const Channel* found = find(channel);
        if (!found || found->state() == ChannelState::Stopped)
            return false;
        const SampleHistory& history = found->history();
        const auto heard = std::chrono::duration<double>(std::chrono::steady_clock::now() - blockTakenAt_).count() * outputRate;
        const auto into = static_cast<std::uint64_t>(std::clamp(heard, 0.0, static_cast<double>(blockFrames_)));
        end = std::min(history.pushed(), history.blockStart() + into);
        // Between two frames that land on the same place the spectrum is the one transformed last.
        if (channel == lastSpectrumChannel_ && end == lastSpectrumEnd_) {
            std::copy(lastSpectrum_.begin(), lastSpectrum_.end(), magnitudes.begin());
            return true;
        }
        history.copyWindow(end, samples);
    }
    analyzer_.analyze(samples, magnitudes);
    std::copy(magnitudes.begin(), magnitudes.end(), lastSpectrum_.begin());
    lastSpectrumChannel_ = channel;
    lastSpectrumEnd_ = end;
    return true;
}

void AudioEngine::render(std::span<float> out)
{
    std::fill(out.begin(), out.end(), 0.0f);
    std::vector<std::unique_ptr<Channel>> finished;
    {
        std::lock_guard lock(mutex_);
        blockTakenAt_ = std::chrono::steady_clock::now();
        blockFrames_ = out.size() / 2;
        for (auto& [handle, channel] : channels_)
            channel->markBlock();
        std::vector<ChannelHandle> fadedOut;
        bool ended = false;
        for (std::size_t start = 0; start < out.size(); start += 2 * mixBlockFrames)
            ended |= renderBlock(out.subspan(start, std::min(out.size() - start, 2 * mixBlockFrames)), fadedOut);
        if (ended && endListener_)
            endListener_();
        for (ChannelHandle handle : fadedOut) {
            if (auto channel = detach(handle))
                finished.push_back(std::move(channel));
        }
    }
    for (float& sample : out)
        sample = std::clamp(sample, -1.0f, 1.0f);
}

bool AudioEngine::renderBlock(std::span<float> out, std::vector<ChannelHandle>& fadedOut)
{
    bool ended = false;
    for (auto& [handle, channel] : channels_) {
        const MixOutcome outcome = channel->mixInto(out, scratch_);
        if (outcome.reachedEnd && channel->endSync) {
            mailbox_.post({handle, channel->endSync});
            ended = true;
        }
        if (outcome.fadedOut && std::find(fadedOut.begin(), fadedOut.end(), handle) == fadedOut.end())
            fadedOut.push_back(handle);
    }
    return ended;
}

void AudioEngine::setEndListener(std::function<void()> listener)
{
    std::lock_guard lock(mutex_);
    endListener_ = std::move(listener);
}

} // namespace windlecroft

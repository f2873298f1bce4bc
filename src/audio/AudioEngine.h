#pragma once

#include "audio/ChannelTypes.h"
#include "audio/EndSyncMailbox.h"
#include "audio/FrequencyAnalyzer.h"
#include "audio/AudioOutput.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

namespace windlecroft {

class Channel;
class Decoder;

/**
 * The mixer and its channels. Channels are created from a stream or a module, addressed by
 * handle and mixed together when an output pulls frames through render(). Every call on a
 * handle that does not exist (0, never created, or freed) does nothing and reports "stopped".
 *
 * Units: stream positions and lengths are bytes of 16-bit PCM in the stream's own channel count
 * and rate; module positions hold the order in the low 16 bits and the row in the high 16 bits,
 * module lengths are numbers of orders. Volumes are 0..100. Time is counted in rendered frames:
 * a slide over 200 ms ends after 200 ms of audio has been rendered, however long that took.
 *
 * Threads: render() runs on the output's thread; everything else on the main thread. An end
 * sync never calls back into the program: it posts an event that takeEndedSyncs() returns.
 */
class AudioEngine final : public AudioSource {
public:
    static constexpr int outputRate = AudioOutput::sampleRate;

    /** diagnostics receives one line for every track that cannot be opened. */
    explicit AudioEngine(std::ostream& diagnostics);
    ~AudioEngine() override;
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    /** A stream decoded from memory that must outlive the channel (it is not copied); 0 when unreadable. */
    ChannelHandle createStream(std::span<const std::uint8_t> data, std::string_view name);
    ChannelHandle createStream(const std::filesystem::path& file);
    /** A module parsed from memory (not needed after this call); 0 when unreadable. */
    ChannelHandle loadModule(std::span<const std::uint8_t> data, std::string_view name);
    ChannelHandle loadModule(const std::filesystem::path& file);

    /** Starts the channel from its current position with PlayFlag values. */
    void play(ChannelHandle channel, std::uint32_t flags);
    ChannelState isActive(ChannelHandle channel) const;
    /** True while any channel plays: only then does the output have anything to pull. */
    bool producing() const;
    void pause(ChannelHandle channel);
    void resume(ChannelHandle channel);
    void stop(ChannelHandle channel);
    /** Frees the channel and its syncs; the handle is dead from now on. */
    void free(ChannelHandle channel);
    /** Frees every channel (before the memory that streams read from goes away). */
    void freeAll();

    std::uint64_t position(ChannelHandle channel) const;
    void setPosition(ChannelHandle channel, std::uint64_t position);
    /** Moves the channel to that second of its piece; nothing when it lies outside the piece. */
    void setPositionSeconds(ChannelHandle channel, double seconds);
    std::uint64_t length(ChannelHandle channel) const;
    /** The position and the length of the channel's piece in seconds; 0 for a dead handle. */
    double seconds(ChannelHandle channel) const;
    double lengthSeconds(ChannelHandle channel) const;
    /** How far the channel's piece has played, 0 to 1, as a seek by percent counts it. */
    double fraction(ChannelHandle channel) const;
    /** The volume heard now, 0..100, a slide under way included; 0 for a dead handle. */
    int volume(ChannelHandle channel) const;
    /** The number of position units in the given seconds of a stream; 0 for modules. */
    std::uint64_t secondsToBytes(ChannelHandle channel, double seconds) const;

    /** Sets the volume 0..100 at once; negative values leave it. */
    void setVolume(ChannelHandle channel, int volume);
    /** Slides the volume linearly over milliseconds of audio; −2 slides to silence, then stops and frees. */
    void slideVolume(ChannelHandle channel, int volume, std::uint32_t milliseconds);

    /** Sets an end sync: an event is posted every time the channel reaches its end (each wrap of a loop). */
    SyncHandle setEndSync(ChannelHandle channel);
    void removeSync(ChannelHandle channel, SyncHandle sync);
    /** See Channel::setHoldAtEnd: a looping channel falls silent at its end instead of starting over. */
    void setHoldAtEnd(ChannelHandle channel, bool hold);
    /**
     * Called on the output's thread, with the engine locked, whenever an end event has been
     * posted: a main loop that ticks rarely learns at once that there is something to take. It
     * must only hand the news on (post an event, say), never call back into the engine.
     */
    void setEndListener(std::function<void()> listener);
    /** The end events posted since the last call, oldest first. */
    std::vector<EndSyncEvent> takeEndedSyncs() { return mailbox_.takeAll(); }

    /**
     * 512 FFT magnitudes of the 1024 samples of the channel heard now (mono mix, Hann window),
     * taken before the channel's volume so that a fade does not flatten the picture. The output
     * takes a block of sound ahead of playing it; the window ends where its playing has got to,
     * as far into the block as the time since it was taken, so the picture moves on within a
     * block and follows the music rather than the output's blocks.
     * Returns false and leaves magnitudes alone when the channel is not playing or paused.
     */
    bool spectrum(ChannelHandle channel, std::span<float, FrequencyAnalyzer::binCount> magnitudes);

    /** Mixes every playing channel into out; called by the output's thread. */
    void render(std::span<float> out) override;

private:
    ChannelHandle add(std::unique_ptr<Decoder> decoder, std::string_view name);
    Channel* find(ChannelHandle channel) const;
    std::unique_ptr<Channel> detach(ChannelHandle channel);
    void waitForModuleWarmUp();
    // Returns true when it posted an end event.
    bool renderBlock(std::span<float> out, std::vector<ChannelHandle>& fadedOut);

    std::ostream& diagnostics_;
    mutable std::mutex mutex_;
    std::map<ChannelHandle, std::unique_ptr<Channel>> channels_;
    ChannelHandle nextHandle_ = 1;
    SyncHandle nextSync_ = 1;
    EndSyncMailbox mailbox_;
    std::function<void()> endListener_;
    std::vector<float> scratch_;
    FrequencyAnalyzer analyzer_;
    // When the output took its last block, and how many frames.
    std::chrono::steady_clock::time_point blockTakenAt_;
    std::size_t blockFrames_ = 0;
    // The spectrum transformed last, and of which window; used by the main thread only.
    std::array<float, FrequencyAnalyzer::binCount> lastSpectrum_{};
    ChannelHandle lastSpectrumChannel_ = 0;
    std::uint64_t lastSpectrumEnd_ = 0;
    // The module library builds its resampling tables when the first module of the process is
    // opened, which takes tens of milliseconds; this thread has that done while the skin loads.
    std::thread moduleWarmUp_;
};

} // namespace windlecroft

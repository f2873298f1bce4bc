#include "audio/AudioEngine.h"
#include "audio/SampleHistory.h"
#include "audio/VolumeRamp.h"
#include "platform/headless/NullAudioOutput.h"

#include "support/SoundMeasure.h"
#include "support/ToneEncoder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <sstream>

namespace windlecroft::test {
namespace {

class AudioEngineTest : public ::testing::Test {
protected:
    AudioEngineTest() { output.start(engine); }
    ~AudioEngineTest() override { output.stop(); }

    // The engine reads streams from memory without copying: the bytes live as long as the test.
    ChannelHandle playTone(std::vector<std::uint8_t> bytes, std::uint32_t flags = 0)
    {
        const ChannelHandle handle = engine.createStream(kept.emplace_back(std::move(bytes)), "tone");
        engine.play(handle, flags);
        return handle;
    }

    std::size_t endEvents(ChannelHandle handle)
    {
        const auto events = engine.takeEndedSyncs();
        return static_cast<std::size_t>(std::count_if(events.begin(), events.end(), [&](const EndSyncEvent& e) { return e.channel == handle; }));
    }

    std::deque<std::vector<std::uint8_t>> kept;
    std::ostringstream diagnostics;
    AudioEngine engine{diagnostics};
    NullAudioOutput output;
};

// Encoded once: libsndfile's Vorbis encoder is the slowest part of these tests.
const std::vector<std::uint8_t>& oneSecondOgg()
{
    static const std::vector<std::uint8_t> bytes = encodeTone({.format = ToneFormat::OggVorbis, .seconds = 1.0});
    return bytes;
}

TEST_F(AudioEngineTest, StartedStreamIsHeardAtItsLevelAndPauseSilencesIt)
{
    const ChannelHandle handle = playTone(oneSecondOgg());
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(engine.isActive(handle), ChannelState::Playing);
    // A sine of amplitude 0.5 has an RMS of 0.5 / sqrt 2.
    EXPECT_NEAR(rms(output.renderMilliseconds(200)), 0.354, 0.02);

    engine.pause(handle);
    EXPECT_EQ(engine.isActive(handle), ChannelState::Paused);
    const std::uint64_t pausedAt = engine.position(handle);
    EXPECT_LT(rms(output.renderMilliseconds(100)), silence);
    EXPECT_EQ(engine.position(handle), pausedAt);

    engine.resume(handle);
    EXPECT_NEAR(rms(output.renderMilliseconds(100)), 0.354, 0.02);
}

TEST_F(AudioEngineTest, StreamPositionAndLengthAreBytesOfSixteenBitPcmInTheStreamsOwnFormat)
{
    const auto mono22k = encodeTone({.format = ToneFormat::OggVorbis, .sampleRate = 22050, .channels = 1, .seconds = 1.0});
    const ChannelHandle stereo = playTone(oneSecondOgg());
    const ChannelHandle mono = playTone(mono22k);
    EXPECT_EQ(engine.length(stereo), 44100u * 4);
    EXPECT_EQ(engine.length(mono), 22050u * 2);
    EXPECT_EQ(engine.secondsToBytes(stereo, 10.0), 10u * 44100 * 4);
    EXPECT_EQ(engine.secondsToBytes(mono, 10.0), 10u * 22050 * 2);

    output.renderMilliseconds(500);
    EXPECT_NEAR(static_cast<double>(engine.position(stereo)), 44100 * 4 * 0.5, 4 * 64);
    // The resampler holds back a few frames; the position counts only what was heard.
    EXPECT_NEAR(static_cast<double>(engine.position(mono)), 22050 * 2 * 0.5, 2 * 256);

    engine.setPosition(stereo, 44100 * 4 / 4 * 3);
    EXPECT_EQ(engine.position(stereo), 44100u * 3);
    engine.setPosition(stereo, engine.length(stereo) + 4);
    EXPECT_EQ(engine.position(stereo), 44100u * 3) << "a position past the end is refused";
}

TEST_F(AudioEngineTest, SpectrumOfAOneKilohertzTonePeaksInBin23Or24)
{
    const ChannelHandle handle = playTone(encodeTone({.format = ToneFormat::Mp3, .seconds = 1.0}));
    std::array<float, 512> spectrum{};
    spectrum.fill(-1.0f);
    // The block taken last is still to be heard; the spectrum is of the one before.
    output.renderMilliseconds(200);
    output.renderMilliseconds(50);
    ASSERT_TRUE(engine.spectrum(handle, spectrum));
    const auto peak = std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin();
    EXPECT_TRUE(peak == 23 || peak == 24) << "peak in bin " << peak;
    // Amplitude 0.5 between two bins: the Hann window loses at most about a third.
    EXPECT_GT(spectrum[static_cast<std::size_t>(peak)], 0.3f);
    EXPECT_LT(spectrum[100], 0.01f);
}

// A window ends where asked inside the last block, across the ring's wrap, and never reaches
// before what the history keeps or past what was pushed; before the first sample is silence.
TEST(SampleHistoryTest, AWindowEndsWhereAskedWithinWhatIsKept)
{
    SampleHistory history;
    std::array<float, SampleHistory::windowSize> window{};
    for (int i = 1; i <= 10; ++i)
        history.push(static_cast<float>(i));
    history.copyWindow(10, window);
    EXPECT_EQ(window[window.size() - 11], 0.0f);
    EXPECT_EQ(window[window.size() - 10], 1.0f);
    EXPECT_EQ(window.back(), 10.0f);

    for (int i = 11; i <= 6000; ++i)
        history.push(static_cast<float>(i));
    history.markBlock();
    for (int i = 6001; i <= 10000; ++i)
        history.push(static_cast<float>(i));
    EXPECT_EQ(history.blockStart(), 6000u);
    const auto windowEndingAt = [&](std::uint64_t end) {
        history.copyWindow(end, window);
        return std::pair{window.front(), window.back()};
    };
    EXPECT_EQ(windowEndingAt(8000), std::pair(6977.0f, 8000.0f));
    EXPECT_EQ(windowEndingAt(20000), std::pair(8977.0f, 10000.0f)) << "no later than pushed";
    const float oldestKept = 10000.0f - (SampleHistory::size - SampleHistory::windowSize);
    EXPECT_EQ(windowEndingAt(100), std::pair(oldestKept - 1023.0f, oldestKept)) << "no older than kept";
}

TEST_F(AudioEngineTest, VolumeZeroIsSilentAndVolumeScalesLinearly)
{
    const ChannelHandle handle = playTone(oneSecondOgg());
    engine.setVolume(handle, 0);
    EXPECT_LT(rms(output.renderMilliseconds(100)), silence);
    engine.setVolume(handle, 50);
    EXPECT_NEAR(rms(output.renderMilliseconds(100)), 0.177, 0.01);
    engine.setVolume(handle, -1);
    EXPECT_NEAR(rms(output.renderMilliseconds(100)), 0.177, 0.01) << "a negative volume leaves the volume alone";
}

TEST_F(AudioEngineTest, SlideToStopFadesOverRenderedTimeThenStopsAndFrees)
{
    const ChannelHandle handle = playTone(oneSecondOgg(), PlayFlag::Loop);
    const double full = rms(output.renderMilliseconds(100));
    engine.slideVolume(handle, VolumeRamp::fadeOutAndStop, 200);
    const std::vector<float> fade = output.renderMilliseconds(195);
    EXPECT_NEAR(rms(between(fade, 95, 105)), full / 2, full * 0.1) << "halfway the gain is one half";
    EXPECT_LT(rms(between(fade, 185, 195)), full * 0.1);
    EXPECT_EQ(engine.isActive(handle), ChannelState::Playing) << "the slide ends only once its time has been rendered";

    output.renderMilliseconds(10);
    EXPECT_EQ(engine.isActive(handle), ChannelState::Stopped);
    EXPECT_EQ(engine.length(handle), 0u) << "the channel is freed";
    engine.setVolume(handle, 100);
    engine.resume(handle);
    engine.play(handle, 0);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
}

TEST_F(AudioEngineTest, SlideMovesLinearlyToATargetAndStays)
{
    const ChannelHandle handle = playTone(oneSecondOgg(), PlayFlag::Loop);
    engine.setVolume(handle, 0);
    engine.slideVolume(handle, 100, 100);
    const std::vector<float> rise = output.renderMilliseconds(300);
    EXPECT_LT(rms(between(rise, 0, 10)), 0.04);
    EXPECT_NEAR(rms(between(rise, 45, 55)), 0.177, 0.02);
    EXPECT_NEAR(rms(between(rise, 150, 300)), 0.354, 0.02);
}

TEST_F(AudioEngineTest, LoopingChannelPostsAnEndEventAtEveryWrap)
{
    const auto shortTone = encodeTone({.format = ToneFormat::OggVorbis, .seconds = 0.25});
    const ChannelHandle handle = playTone(shortTone, PlayFlag::Loop);
    const SyncHandle sync = engine.setEndSync(handle);
    ASSERT_NE(sync, 0u);

    std::size_t ends = 0;
    std::vector<float> heard;
    for (int i = 0; i < 22; ++i) { // 1.1 s: ends at 0.25, 0.5, 0.75 and 1 s
        const auto block = output.renderMilliseconds(50);
        heard.insert(heard.end(), block.begin(), block.end());
        ends += endEvents(handle);
    }
    EXPECT_EQ(ends, 4u);
    EXPECT_GT(rms(between(heard, 1000, 1100)), 0.3) << "the loop plays on";

    engine.removeSync(handle, sync);
    output.renderMilliseconds(300);
    EXPECT_EQ(endEvents(handle), 0u);
}

TEST_F(AudioEngineTest, HeldChannelFallsSilentAtItsEndUntilReleased)
{
    const auto shortTone = encodeTone({.format = ToneFormat::OggVorbis, .seconds = 0.25});
    const ChannelHandle handle = playTone(shortTone, PlayFlag::Loop);
    engine.setEndSync(handle);
    engine.setHoldAtEnd(handle, true);

    const std::vector<float> heard = output.renderMilliseconds(500);
    EXPECT_GT(rms(between(heard, 200, 240)), 0.3);
    EXPECT_LT(rms(between(heard, 260, 500)), silence);
    EXPECT_EQ(endEvents(handle), 1u);
    EXPECT_EQ(engine.isActive(handle), ChannelState::Playing);

    engine.setHoldAtEnd(handle, false);
    EXPECT_GT(rms(output.renderMilliseconds(100)), 0.3);
    EXPECT_LT(engine.position(handle), 44100u * 4 / 5);
}

TEST_F(AudioEngineTest, ChannelPlayedOnceStopsAtItsEndButKeepsItsHandle)
{
    const auto shortTone = encodeTone({.format = ToneFormat::OggVorbis, .seconds = 0.25});
    const ChannelHandle handle = playTone(shortTone);
    const std::vector<float> heard = output.renderMilliseconds(400);
    EXPECT_LT(rms(between(heard, 260, 400)), silence);
    EXPECT_EQ(engine.isActive(handle), ChannelState::Stopped);
    EXPECT_EQ(engine.length(handle), 44100u / 4 * 4);
}

TEST_F(AudioEngineTest, UnreadableInputGivesHandleZeroAndOneLine)
{
    TempDir dir;
    const std::vector<std::uint8_t> garbage(4000, 0x5A);
    // Cut inside the first Ogg page.
    std::vector<std::uint8_t> truncated = oneSecondOgg();
    truncated.resize(40);

    EXPECT_EQ(engine.createStream(dir / "missing.ogg"), 0u);
    EXPECT_EQ(engine.createStream(garbage, "garbage.ogg"), 0u);
    EXPECT_EQ(engine.createStream(truncated, "truncated.ogg"), 0u);
    EXPECT_EQ(engine.loadModule(garbage, "garbage.xm"), 0u);
    EXPECT_EQ(engine.loadModule(dir / "missing.it"), 0u);
    const std::string lines = diagnostics.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 5);
    EXPECT_NE(lines.find("missing.ogg"), std::string::npos);

    // Every call on handle 0 does nothing.
    engine.play(0, PlayFlag::Loop);
    engine.setVolume(0, 50);
    EXPECT_EQ(engine.setEndSync(0), 0u);
    EXPECT_EQ(engine.isActive(0), ChannelState::Stopped);
    std::array<float, 512> spectrum{};
    EXPECT_FALSE(engine.spectrum(0, spectrum));
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
}

TEST_F(AudioEngineTest, StreamCutShortPlaysWhatIsThereAndEnds)
{
    // Cut before its end, the file plays what is there.
    std::vector<std::uint8_t> cut = oneSecondOgg();
    cut.resize(cut.size() * 3 / 4);
    const ChannelHandle handle = playTone(cut, PlayFlag::Loop);
    ASSERT_NE(handle, 0u);
    engine.setEndSync(handle);
    engine.setHoldAtEnd(handle, true);
    output.renderMilliseconds(1500);
    EXPECT_EQ(endEvents(handle), 1u);
    EXPECT_LT(rms(output.renderMilliseconds(100)), silence);
}

TEST_F(AudioEngineTest, MixesChannelsTogetherAndClipsTheSum)
{
    const ChannelHandle first = playTone(oneSecondOgg());
    const ChannelHandle second = playTone(oneSecondOgg());
    const ChannelHandle third = playTone(oneSecondOgg());
    ASSERT_TRUE(first && second && third);
    const std::vector<float> heard = output.renderMilliseconds(100);
    const auto [low, high] = std::minmax_element(heard.begin(), heard.end());
    EXPECT_GE(*low, -1.0f);
    EXPECT_LE(*high, 1.0f);
    EXPECT_GT(*high, 0.99f) << "three tones of amplitude 0.5 in phase clip at full scale";
}

} // namespace
} // namespace windlecroft::test

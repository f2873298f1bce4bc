// Every kind of stream file, made by the real encoders: each plays at its pitch, knows its
// length, seeks and ends where it should; chained and multiplexed Ogg files and an MP3 whose
// Xing header lies play whole; broken files are refused or play what they hold.
#include "audio/AudioEngine.h"
#include "platform/headless/NullAudioOutput.h"
#include "skin/ArchiveWriter.h"

#include "support/ItWriter.h"
#include "support/MusicFiles.h"
#include "support/PlayerHarness.h"
#include "support/SoundMeasure.h"
#include "support/TempDir.h"
#include "support/XmWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace windlecroft::test {
namespace {

struct Kind {
    std::string name;
    std::string extension;
    PcmTone tone;
    /** The rate positions count in: Opus always decodes at 48 kHz. */
    int rate;
    std::vector<std::string> encoderOptions = {};
    /** What is done to the encoder's file, and the extension it is saved with (its own when empty). */
    enum class Wrapping { None, TagsAndJunk, Multiplexed } wrapping = Wrapping::None;
    std::string savedAs = {};

    std::string fileName() const { return "tone." + (savedAs.empty() ? extension : savedAs); }
};

// Rates and channel counts differ between the kinds, so that each plays through the resampler
// or around it, from mono or from stereo. MP3 comes as MPEG-1, MPEG-2 (22050 Hz) and MPEG-2.5
// (11025 Hz), in free format, and wrapped in tags and junk; Ogg files multiplexed with another
// stream, and named by their container rather than their codec.
std::vector<Kind> kinds()
{
    using enum Kind::Wrapping;
    return {
        {"flac", "flac", {.sampleRate = 44100, .channels = 2, .frequency = 440, .seconds = 2.0}, 44100},
        {"wav", "wav", {.sampleRate = 22050, .channels = 1, .frequency = 660, .seconds = 2.0}, 22050},
        {"vorbis", "ogg", {.sampleRate = 48000, .channels = 2, .frequency = 880, .seconds = 2.0}, 48000},
        // (libvorbisfile plays nothing of a multiplexed stream whose audio fits in one page; a
        // file of a few seconds has several.)
        {"vorbis multiplexed", "ogg", {.sampleRate = 48000, .channels = 2, .frequency = 740, .seconds = 2.0}, 48000, {},
            Multiplexed},
        {"mp3", "mp3", {.sampleRate = 44100, .channels = 1, .frequency = 1100, .seconds = 2.0}, 44100},
        {"mp3 mpeg-2", "mp3", {.sampleRate = 22050, .channels = 2, .frequency = 550, .seconds = 2.0}, 22050},
        {"mp3 mpeg-2.5 tagged", "mp3", {.sampleRate = 11025, .channels = 1, .frequency = 330, .seconds = 2.0}, 11025,
            {"--add-id3v2", "--tt", "Tone"}, TagsAndJunk},
        {"mp3 free format", "mp3", {.sampleRate = 32000, .channels = 2, .frequency = 990, .seconds = 2.0}, 32000,
            {"--freeformat", "-b", "200"}},
        {"opus", "opus", {.sampleRate = 44100, .channels = 2, .frequency = 1320, .seconds = 2.0}, 48000},
        {"opus named .ogg", "opus", {.sampleRate = 48000, .channels = 1, .frequency = 1210, .seconds = 2.0}, 48000, {},
            None, "ogg"},
    };
}

// Encoded once for the whole program: the encoders are the slowest part of these tests.
const std::vector<std::uint8_t>& encoded(const Kind& kind)
{
    static const std::map<std::string, std::vector<std::uint8_t>> files = [] {
        std::map<std::string, std::vector<std::uint8_t>> made;
        for (const Kind& each : kinds()) {
            std::vector<std::uint8_t> bytes = encodedTone(each.extension, each.tone, each.encoderOptions);
            if (each.wrapping == Kind::Wrapping::TagsAndJunk)
                bytes = withTagsAndJunk(bytes);
            else if (each.wrapping == Kind::Wrapping::Multiplexed)
                bytes = multiplexedWithUnknownStream(bytes);
            made.emplace(each.name, std::move(bytes));
        }
        return made;
    }();
    return files.at(kind.name);
}

class StreamFormats : public ::testing::Test {
protected:
    StreamFormats() { output.start(engine); }
    ~StreamFormats() override { output.stop(); }

    ChannelHandle open(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        writeFile(dir / name, bytes);
        return engine.createStream(dir / name);
    }

    // Renders until the channel stops or limit milliseconds have passed; returns the time taken.
    std::uint32_t playToTheEnd(ChannelHandle handle, std::uint32_t limit)
    {
        std::uint32_t elapsed = 0;
        for (; elapsed < limit && engine.isActive(handle) == ChannelState::Playing; elapsed += 10)
            heard = output.renderMilliseconds(10);
        return elapsed;
    }

    // The largest step between two samples in a row: a click shows as a jump far above a tone's.
    static float largestStep(const std::vector<float>& samples)
    {
        float largest = 0;
        for (std::size_t i = 2; i < samples.size(); ++i)
            largest = std::max(largest, std::abs(samples[i] - samples[i - 2]));
        return largest;
    }

    TempDir dir;
    std::ostringstream diagnostics;
    AudioEngine engine{diagnostics};
    NullAudioOutput output;
    std::vector<float> heard;
};

TEST_F(StreamFormats, EachKindPlaysAtItsPitchKnowsItsLengthSeeksAndEnds)
{
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        const ChannelHandle handle = open(kind.fileName(), encoded(kind));
        ASSERT_NE(handle, 0u) << diagnostics.str();
        const std::uint64_t bytesPerSecond = static_cast<std::uint64_t>(kind.rate) * 2 * kind.tone.channels;
        EXPECT_EQ(engine.secondsToBytes(handle, 1.0), bytesPerSecond);
        // Exact: the encoders' delay and padding (Opus' pre-skip, LAME's gapless tag) are removed.
        EXPECT_EQ(engine.length(handle), 2 * bytesPerSecond);

        engine.play(handle, 0);
        heard = output.renderMilliseconds(300);
        EXPECT_NEAR(rms(between(heard, 100, 300)), 0.354, 0.05);
        EXPECT_NEAR(PlayerHarness::dominantBin(heard), PlayerHarness::binOf(kind.tone.frequency), 1);
        EXPECT_NEAR(static_cast<double>(engine.position(handle)), 0.3 * bytesPerSecond, 0.01 * bytesPerSecond);

        engine.setPosition(handle, bytesPerSecond * 3 / 2);
        EXPECT_NEAR(static_cast<double>(engine.position(handle)), 1.5 * bytesPerSecond, 4.0 * kind.tone.channels);
        heard = output.renderMilliseconds(200);
        EXPECT_NEAR(PlayerHarness::dominantBin(heard), PlayerHarness::binOf(kind.tone.frequency), 1);
        EXPECT_NEAR(static_cast<double>(engine.position(handle)), 1.7 * bytesPerSecond, 0.01 * bytesPerSecond);
        // Three tenths of a second are left; the stream stops where its length says it ends.
        EXPECT_NEAR(playToTheEnd(handle, 1000), 300, 20);
        engine.free(handle);
    }
}

TEST_F(StreamFormats, AChainedFilePlaysEveryChainAtItsOwnPitchAndRateToTheEnd)
{
    // The second chain is mono and at another rate. Both fade at their ends, so that the join
    // itself is smooth and any click would be the decoder's.
    const PcmTone first{.sampleRate = 44100, .channels = 2, .frequency = 500, .seconds = 1.0, .fadeSeconds = 0.02};
    const PcmTone second{.sampleRate = 22050, .channels = 1, .frequency = 1000, .seconds = 1.0, .fadeSeconds = 0.02};
    for (const std::string extension : {"ogg", "opus"}) {
        SCOPED_TRACE(extension);
        std::vector<std::uint8_t> chained = encodedTone(extension, first);
        const std::vector<std::uint8_t> tail = encodedTone(extension, second);
        chained.insert(chained.end(), tail.begin(), tail.end());
        const ChannelHandle handle = open("chained." + extension, chained);
        ASSERT_NE(handle, 0u);
        // Positions count in the first chain's format: two seconds of 16-bit stereo.
        const std::uint64_t bytesPerSecond = engine.secondsToBytes(handle, 1.0);
        EXPECT_EQ(bytesPerSecond, (extension == "ogg" ? 44100u : 48000u) * 4);
        EXPECT_EQ(engine.length(handle), 2 * bytesPerSecond);

        engine.play(handle, 0);
        heard = output.renderMilliseconds(600);
        EXPECT_EQ(PlayerHarness::dominantBin(heard), PlayerHarness::binOf(500));
        float step = largestStep(heard);
        heard = output.renderMilliseconds(1000);
        EXPECT_EQ(PlayerHarness::dominantBin(heard), PlayerHarness::binOf(1000));
        EXPECT_NEAR(rms(between(heard, 800, 900)), 0.354, 0.03) << "the mono chain plays on both sides at its level";
        EXPECT_NEAR(static_cast<double>(engine.position(handle)), 1.6 * bytesPerSecond, 0.01 * bytesPerSecond);
        step = std::max(step, largestStep(heard));
        // A 1 kHz tone of amplitude 0.5 moves at most 0.071 from one sample to the next.
        EXPECT_LT(step, 0.1f);
        EXPECT_NEAR(playToTheEnd(handle, 1000), 400, 20);

        // A seek into the second chain plays it at its pitch from there.
        engine.play(handle, 0);
        engine.setPosition(handle, bytesPerSecond * 3 / 2);
        heard = output.renderMilliseconds(200);
        EXPECT_EQ(PlayerHarness::dominantBin(heard), PlayerHarness::binOf(1000));
        EXPECT_NEAR(static_cast<double>(engine.position(handle)), 1.7 * bytesPerSecond, 0.01 * bytesPerSecond);
        engine.setPosition(handle, bytesPerSecond / 2);
        heard = output.renderMilliseconds(200);
        EXPECT_EQ(PlayerHarness::dominantBin(heard), PlayerHarness::binOf(500));
        engine.free(handle);
    }
}

TEST_F(StreamFormats, BrokenFilesOfEveryKindAreRefusedOrPlayWhatTheyHold)
{
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        const std::vector<std::uint8_t>& whole = encoded(kind);
        // Cut anywhere, or with a run of its bytes overwritten.
        for (std::size_t cut :
            {std::size_t {0}, std::size_t {3}, std::size_t {40}, whole.size() / 3, whole.size() * 9 / 10}) {
            std::vector<std::uint8_t> broken(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            if (const ChannelHandle handle = open(kind.fileName(), broken)) {
                engine.play(handle, 0);
                EXPECT_LT(playToTheEnd(handle, 5000), 5000u);
                engine.free(handle);
            }
        }
        std::vector<std::uint8_t> damaged = whole;
        std::fill(damaged.begin() + static_cast<std::ptrdiff_t>(damaged.size() / 2),
                  damaged.begin() + static_cast<std::ptrdiff_t>(damaged.size() / 2 + 300), 0xFF);
        const ChannelHandle handle = open(kind.fileName(), damaged);
        ASSERT_NE(handle, 0u);
        engine.play(handle, 0);
        EXPECT_LT(playToTheEnd(handle, 5000), 5000u);
    }
    // Bytes that are no music of any kind are refused whatever their name, and so is a rate no
    // file plays at; each with one line.
    const std::vector<std::uint8_t> noise(6000, 0x5A);
    const std::string before = diagnostics.str();
    for (const std::string name : {"noise.mp3", "noise.flac", "noise.opus", "noise.wav"})
        EXPECT_EQ(open(name, noise), 0u);
    EXPECT_EQ(open("slow.wav", wavFile({.sampleRate = 500, .seconds = 0.1})), 0u);
    const std::string lines = diagnostics.str().substr(before.size());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 5);
}

class LyingXingHeader : public PlayerHarness, public ::testing::Test {};

TEST_F(LyingXingHeader, DoesNotChangeTheLengthSoAHalfwaySeekLandsHalfway)
{
    // A 5 s file whose header claims 200000 frames, about 87 minutes.
    const std::vector<std::uint8_t> mp3 = withXingFrameCount(
        encodedTone("mp3", {.sampleRate = 44100, .channels = 1, .frequency = 700, .seconds = 5.0}), 200000);
    setPlaylist({file("lying.mp3", mp3)});
    player.playCurrent();
    const ChannelHandle stream = player.mainChannel().stream;
    ASSERT_NE(stream, 0u);
    // The lie costs the gapless trimming (the library trusts the LAME tag's padding no more),
    // some 40 ms of the encoder's delay and padding: no more.
    EXPECT_NEAR(player.trackLength(), 5 * 88200, 0.05 * 88200);
    player.seekPercent(50);
    EXPECT_NEAR(static_cast<double>(engine.position(stream)), 2.5 * 88200, 0.05 * 88200);
    EXPECT_NEAR(dominantBin(output.renderMilliseconds(100)), binOf(700), 1);
    // It ends after the 2.5 s that are truly left, and the player moves on.
    output.renderMilliseconds(2300);
    player.handleEndedTracks();
    EXPECT_TRUE(takePosts().empty());
    output.renderMilliseconds(200);
    player.handleEndedTracks();
    EXPECT_EQ(takePosts().size(), 1u);
}

class PlaylistOfEveryKind : public PlayerHarness, public ::testing::Test {
protected:
    // The tracks that advanced by themselves since the last look.
    std::size_t advances()
    {
        const std::vector<Action> posts = takePosts();
        return static_cast<std::size_t>(
            std::count(posts.begin(), posts.end(), Action {static_cast<std::uint16_t>(ActionCode::TrackAdvanced), 0}));
    }
};

TEST_F(PlaylistOfEveryKind, PlaysThroughInOrderWithSeeksAndStepsOnEachStreamKind)
{
    // Twelve seconds each, so that a step of ten seconds has room; low rates keep encoding quick.
    const std::vector<std::pair<std::string, double>> streams{
        {"flac", 440}, {"opus", 550}, {"wav", 660}, {"mp3", 770}, {"ogg", 880}};
    std::vector<std::string> names;
    for (const auto& [extension, frequency] : streams)
        names.push_back(file("track." + extension,
            encodedTone(extension, {.sampleRate = 22050, .channels = 1, .frequency = frequency, .seconds = 12.0})));
    setPlaylist({names[0], names[1], names[2], names[3], names[4], file("song.xm", writeXm(TrackerSong::tones(4))),
                 file("song.it", writeIt(TrackerSong::tones(4)))});
    player.playCurrent();

    for (int index = 0; index < 5; ++index) {
        const auto& [extension, frequency] = streams[static_cast<std::size_t>(index)];
        SCOPED_TRACE(extension);
        ASSERT_EQ(player.currentIndex(), index);
        ASSERT_EQ(player.mainChannel().kind, ChannelKind::Stream);
        const ChannelHandle stream = player.mainChannel().stream;
        const double second = static_cast<double>(engine.secondsToBytes(stream, 1.0));
        EXPECT_NEAR(player.trackLength(), 12 * second, 0.01 * second);
        std::vector<float> heard = output.renderMilliseconds(200);
        EXPECT_GT(rms(between(heard, 100, 200)), 0.3);
        EXPECT_NEAR(dominantBin(heard), binOf(frequency), 1);

        player.stepForward();
        EXPECT_NEAR(static_cast<double>(engine.position(stream)), 10.2 * second, 0.02 * second);
        player.stepBack();
        EXPECT_NEAR(static_cast<double>(engine.position(stream)), 0.2 * second, 0.02 * second);
        player.seekPercent(50);
        EXPECT_NEAR(static_cast<double>(engine.position(stream)), 6 * second, 0.02 * second);
        EXPECT_NEAR(dominantBin(output.renderMilliseconds(100)), binOf(frequency), 1);

        // The end: the track falls silent and the player moves on to the next entry.
        player.seekPercent(95);
        output.renderMilliseconds(700);
        player.handleEndedTracks();
        EXPECT_EQ(advances(), 1u);
    }
    for (int index = 5; index < 7; ++index) {
        ASSERT_EQ(player.currentIndex(), index);
        ASSERT_EQ(player.mainChannel().kind, ChannelKind::Module);
        const ChannelHandle module = player.mainChannel().module;
        EXPECT_GT(rms(output.renderMilliseconds(200)), 0.03);
        player.stepForward();
        EXPECT_EQ(engine.position(module) & 0xFFFF, 1u);
        player.stepBack();
        EXPECT_EQ(engine.position(module) & 0xFFFF, 0u);
        player.seekPercent(100);
        EXPECT_EQ(engine.position(module) & 0xFFFF, 2u) << "the third of four orders: 3 x 100 x 0.01f is just under 3";
        output.renderMilliseconds(1100); // two orders of 480 ms are left
        player.handleEndedTracks();
        EXPECT_EQ(advances(), 1u);
    }
    // Round to the first entry again.
    EXPECT_EQ(player.currentIndex(), 0);
    EXPECT_NEAR(dominantBin(output.renderMilliseconds(200)), binOf(440), 1);
}

} // namespace
} // namespace windlecroft::test

#include "support/PlayerHarness.h"

#include "support/ItWriter.h"
#include "support/ToneEncoder.h"
#include "support/XmWriter.h"
#include "base/Error.h"
#include "skin/ArchiveWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace windlecroft::test {
namespace {

constexpr double level = 0.3; // a tone of amplitude 0.5 is heard at an RMS of about 0.35

class PlayerTest : public PlayerHarness, public ::testing::Test {};

std::uint32_t orderOf(const AudioEngine& engine, ChannelHandle handle) { return static_cast<std::uint32_t>(engine.position(handle) & 0xFFFF); }

TEST_F(PlayerTest, BeforeAnyTrackEveryMainOperationDoesNothing)
{
    std::array<float, 512> spectrum;
    spectrum.fill(7.0f);
    player.togglePause();
    player.stepForward();
    player.stepBack();
    player.seekPercent(50);
    player.stopMain();
    player.setMainVolume(20);
    player.slideMainVolume(-2, 100);
    player.readSpectrum(spectrum);
    player.stopSide();
    player.setSideVolume(0);
    EXPECT_FALSE(player.mainPlaying());
    EXPECT_TRUE(std::all_of(spectrum.begin(), spectrum.end(), [](float v) { return v == 7.0f; }));
    EXPECT_EQ(player.mainChannel().kind, ChannelKind::None);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
}

TEST_F(PlayerTest, StartedStreamIsAudibleAndTogglePausePausesAndResumes)
{
    setPlaylist({tone("a.ogg", 1000)});
    player.playCurrent();
    EXPECT_TRUE(player.mainPlaying());
    EXPECT_GT(rms(output.renderMilliseconds(100)), level);

    player.togglePause();
    EXPECT_FALSE(player.mainPlaying());
    EXPECT_LT(rms(output.renderMilliseconds(100)), silence);
    player.togglePause();
    EXPECT_GT(rms(output.renderMilliseconds(100)), level);

    // After a stop the handle is stale: pausing finds it inactive and does nothing.
    player.stopMain();
    player.togglePause();
    player.togglePause();
    EXPECT_EQ(engine.isActive(player.mainChannel().stream), ChannelState::Stopped);
    EXPECT_LT(rms(output.renderMilliseconds(100)), silence);
}

TEST_F(PlayerTest, MainVolumeReachesThePlayingTrackAndSlideToStopFreesIt)
{
    setPlaylist({tone("a.ogg", 1000)});
    player.playCurrent();
    player.setMainVolume(0);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
    player.setMainVolume(100);
    player.slideMainVolume(-2, 200);
    const std::vector<float> fade = output.renderMilliseconds(300);
    EXPECT_GT(rms(between(fade, 0, 50)), level);
    EXPECT_LT(rms(between(fade, 200, 300)), silence);
    EXPECT_FALSE(player.mainPlaying());
    EXPECT_EQ(engine.length(player.mainChannel().stream), 0u) << "freed";
}

TEST_F(PlayerTest, SeekPercentUsesSinglePrecisionHundredthsOnAModule)
{
    setPlaylist({file("song.xm", writeXm(TrackerSong::tones(11)))});
    player.playCurrent();
    ASSERT_EQ(player.trackLength(), 10);
    const ChannelHandle module = player.mainChannel().module;

    player.seekPercent(50);
    EXPECT_EQ(orderOf(engine, module), 4u) << "10 × 50 × 0.01f is just under 5";
    player.seekPercent(100);
    EXPECT_EQ(orderOf(engine, module), 9u);
    player.seekPercent(0);
    EXPECT_EQ(orderOf(engine, module), 0u);

    player.togglePause();
    player.seekPercent(50);
    EXPECT_EQ(orderOf(engine, module), 0u) << "no seeking while paused";
}

TEST_F(PlayerTest, ModuleStepsMoveOneOrderWithinTheSong)
{
    setPlaylist({file("song.it", writeIt(TrackerSong::tones(4)))});
    player.playCurrent();
    const ChannelHandle module = player.mainChannel().module;
    ASSERT_EQ(player.trackLength(), 3);

    player.stepBack();
    EXPECT_EQ(orderOf(engine, module), 0u);
    player.stepForward();
    EXPECT_EQ(orderOf(engine, module), 1u);
    player.stepForward();
    player.stepForward();
    EXPECT_EQ(orderOf(engine, module), 3u);
    player.stepForward();
    EXPECT_EQ(orderOf(engine, module), 3u) << "no step past the last order";
    player.stepBack();
    EXPECT_EQ(orderOf(engine, module), 2u);
    EXPECT_GT(rms(output.renderMilliseconds(100)), 0.03);
}

TEST_F(PlayerTest, StreamStepsAreTenSecondsOfAudio)
{
    // 25 s of 16 kHz mono: a second is 32000 bytes.
    setPlaylist({tone("long.ogg", 440, 25.0)});
    player.playCurrent();
    const ChannelHandle stream = player.mainChannel().stream;
    ASSERT_EQ(player.trackLength(), 25 * 32000);

    player.stepBack();
    EXPECT_LT(engine.position(stream), 32000u) << "nothing to go back to";
    engine.setPosition(stream, 7); // positions fall on whole frames: this is byte 6
    player.stepBack();
    EXPECT_EQ(engine.position(stream), 6u) << "a few bytes from the start there is no step back";

    engine.setPosition(stream, 12 * 32000);
    player.stepBack();
    EXPECT_EQ(engine.position(stream), 2u * 32000);
    player.stepForward();
    EXPECT_EQ(engine.position(stream), 12u * 32000);
    engine.setPosition(stream, 16 * 32000);
    player.stepForward();
    EXPECT_EQ(engine.position(stream), 16u * 32000) << "a step past the end is refused";
    EXPECT_GT(rms(output.renderMilliseconds(100)), level);
}

TEST_F(PlayerTest, SpectrumOfAOneKilohertzTonePeaksInBin23Or24)
{
    setPlaylist({tone("a.ogg", 1000)});
    player.playCurrent();
    output.renderMilliseconds(100);
    output.renderMilliseconds(50);
    std::array<float, 512> spectrum{};
    player.readSpectrum(spectrum);
    const auto peak = std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin();
    EXPECT_TRUE(peak == 23 || peak == 24) << "peak in bin " << peak;

    player.stopMain();
    spectrum.fill(3.0f);
    player.readSpectrum(spectrum);
    EXPECT_EQ(spectrum[23], 3.0f) << "a stopped channel leaves the buffer alone";
}

class PlayerSideTest : public PlayerTest {
protected:
    PlayerSideTest()
    {
        ArchiveWriter writer;
        writer.add("Data\\jingle.ogg", encodeToneBytes());
        writer.add("Data\\theme.xm", writeXm(TrackerSong::tones(2)));
        archive.openBytes(writer.bytes());
        namedTracks.add("jingle", std::make_unique<TrackEntry>("Data\\jingle.ogg", true));
        namedTracks.add("theme", std::make_unique<TrackEntry>("Data\\theme.xm", true));
        namedTracks.add("lost", std::make_unique<TrackEntry>("Data\\lost.ogg", true));
    }

    static std::vector<std::uint8_t> encodeToneBytes();

    NamedTracks namedTracks;
};

std::vector<std::uint8_t> PlayerSideTest::encodeToneBytes()
{
    return encodeTone({.format = ToneFormat::OggVorbis, .sampleRate = 16000, .channels = 1, .frequency = 2000, .seconds = 0.3});
}

TEST_F(PlayerSideTest, NamedTrackPlaysOnceFromTheArchive)
{
    player.startSide(namedTracks, "jingle");
    EXPECT_EQ(player.sideChannel().kind, ChannelKind::Stream);
    const std::vector<float> heard = output.renderMilliseconds(500);
    EXPECT_GT(rms(between(heard, 0, 250)), level);
    EXPECT_EQ(dominantBin(std::vector<float>(heard.begin(), heard.begin() + 2 * 11025)), binOf(2000));
    EXPECT_LT(rms(between(heard, 350, 500)), silence);
    EXPECT_EQ(engine.isActive(player.sideChannel().stream), ChannelState::Stopped);
    EXPECT_TRUE(takePosts().empty()) << "archive pieces post nothing";
}

TEST_F(PlayerSideTest, SideVolumeReachesOnlyActiveHandlesAndFadeOutStops)
{
    player.startSide(namedTracks, "theme");
    player.setSideVolume(0);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
    player.setSideVolume(100);
    EXPECT_GT(rms(output.renderMilliseconds(50)), 0.03);

    player.slideSideVolume(-2, 100);
    output.renderMilliseconds(150);
    EXPECT_EQ(engine.isActive(player.sideChannel().module), ChannelState::Stopped);
    player.setSideVolume(100);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
}

// Each channel keeps its own length: a piece on the side channel changes nothing of how the
// playlist track seeks and steps.
TEST_F(PlayerSideTest, ASidePieceLeavesTheMainTracksSeeksAndStepsAlone)
{
    setPlaylist({tone("long.ogg", 500, 30.0)});
    player.playCurrent();
    const ChannelHandle main = player.mainChannel().stream;
    const double length = static_cast<double>(engine.length(main));
    player.startSide(namedTracks, "jingle");
    player.seekPercent(50.0f);
    EXPECT_NEAR(static_cast<double>(engine.position(main)) / length, 0.5, 0.01);
    player.stepForward();
    EXPECT_NEAR(static_cast<double>(engine.position(main)) / length, 25.0 / 30.0, 0.01) << "10 s on from 15 s";
}

TEST_F(PlayerSideTest, StartingAnotherNamedTrackReplacesTheFirstAndUnknownKeysStartNothing)
{
    player.startSide(namedTracks, "theme");
    player.startSide(namedTracks, "jingle");
    EXPECT_EQ(engine.isActive(player.sideChannel().module), ChannelState::Stopped);
    EXPECT_EQ(dominantBin(output.renderMilliseconds(100)), binOf(2000));

    player.stopSide();
    player.startSide(namedTracks, "nothing by this name");
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
    EXPECT_THROW(
        {
            try {
                player.startSide(namedTracks, "lost");
            } catch (const Error& error) {
                EXPECT_STREQ(error.what(), "can't find file Data\\lost.ogg in datafile");
                throw;
            }
        },
        Error);
}

} // namespace
} // namespace windlecroft::test

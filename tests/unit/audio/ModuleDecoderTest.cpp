#include "audio/AudioEngine.h"
#include "platform/headless/NullAudioOutput.h"

#include "support/ItWriter.h"
#include "support/SoundMeasure.h"
#include "support/XmWriter.h"
#include "skin/ArchiveWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace windlecroft::test {
namespace {

constexpr std::uint32_t mainFlags = PlayFlag::StopOnBackwardJump | PlayFlag::PositionReset | PlayFlag::Ramp | PlayFlag::Loop;
constexpr std::uint32_t sideFlags = mainFlags & ~PlayFlag::Loop;

std::uint32_t orderOf(std::uint64_t position) { return static_cast<std::uint32_t>(position & 0xFFFF); }
std::uint32_t rowOf(std::uint64_t position) { return static_cast<std::uint32_t>((position >> 16) & 0xFFFF); }

// Each case runs once with the XM writer and once with the IT writer.
class ModuleDecoderTest : public ::testing::TestWithParam<bool> {
protected:
    ModuleDecoderTest() { output.start(engine); }
    ~ModuleDecoderTest() override { output.stop(); }

    std::vector<std::uint8_t> write(const TrackerSong& song) const { return GetParam() ? writeIt(song) : writeXm(song); }

    ChannelHandle start(const TrackerSong& song, std::uint32_t flags)
    {
        bytes = write(song);
        const ChannelHandle handle = engine.loadModule(bytes, "song");
        engine.play(handle, flags);
        return handle;
    }

    std::ostringstream diagnostics;
    AudioEngine engine{diagnostics};
    NullAudioOutput output;
    std::vector<std::uint8_t> bytes;
};

TEST_P(ModuleDecoderTest, FixtureSoundsThroughoutAndPositionFollowsTheOrders)
{
    // 4 orders of 8 rows at speed 3, tempo 125: a row lasts 60 ms, an order 480 ms.
    const TrackerSong song = TrackerSong::tones(4);
    const ChannelHandle handle = start(song, mainFlags);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(engine.length(handle), 4u);

    const std::vector<float> pass = output.renderMilliseconds(static_cast<std::uint32_t>(song.secondsPerPass() * 1000) - 20);
    // A subtly broken module loads and then goes quiet; every stretch of the pass must sound.
    for (std::uint32_t ms = 0; ms + 100 <= 1900; ms += 100)
        EXPECT_GT(rms(between(pass, ms, ms + 100)), 0.03) << "at " << ms << " ms";
    EXPECT_EQ(orderOf(engine.position(handle)), 3u);
    EXPECT_EQ(rowOf(engine.position(handle)), 7u);
    // A knob follows the orders, as a seek by percent counts them: order 3, row 7 of 8.
    EXPECT_NEAR(engine.fraction(handle), (3.0 + 7.0 / 8.0) / 4.0, 1e-9);
}

TEST_P(ModuleDecoderTest, SetPositionTakesOrderAndRowAndRefusesWhatIsNotThere)
{
    const ChannelHandle handle = start(TrackerSong::tones(11), mainFlags);
    engine.setPosition(handle, 4);
    EXPECT_EQ(engine.position(handle), 4u);
    engine.setPosition(handle, 2 | (5u << 16));
    EXPECT_EQ(engine.position(handle), 2u | (5u << 16));
    engine.setPosition(handle, 11);
    engine.setPosition(handle, 3 | (8u << 16));
    EXPECT_EQ(engine.position(handle), 2u | (5u << 16));
}

TEST_P(ModuleDecoderTest, LoopingModuleEndsAtEveryPassAndPlaysOn)
{
    const TrackerSong song = TrackerSong::tones(2);
    const ChannelHandle handle = start(song, mainFlags);
    engine.setEndSync(handle);
    std::size_t ends = 0;
    std::vector<float> last;
    for (int i = 0; i < 25; ++i) { // 2.5 s: two orders last 0.96 s, so two ends
        last = output.renderMilliseconds(100);
        ends += engine.takeEndedSyncs().size();
    }
    EXPECT_EQ(ends, 2u);
    EXPECT_GT(rms(last), 0.03);
}

TEST_P(ModuleDecoderTest, ModulePlayedOnceStops)
{
    const ChannelHandle handle = start(TrackerSong::tones(2), sideFlags);
    const std::vector<float> heard = output.renderMilliseconds(1500);
    EXPECT_GT(rms(between(heard, 800, 900)), 0.03);
    EXPECT_LT(rms(between(heard, 1000, 1500)), silence);
    EXPECT_EQ(engine.isActive(handle), ChannelState::Stopped);
}

TEST_P(ModuleDecoderTest, JumpBackIsTheEndOfTheSong)
{
    // Orders 0, 1, 2; the last row of pattern 2 jumps back to order 1.
    TrackerSong song = TrackerSong::tones(3);
    song.patterns[2].at(7, 1, song.channels) = TrackerCell{0, 0, 0, TrackerEffect::PositionJump, 1};

    const ChannelHandle once = start(song, sideFlags);
    const std::vector<float> heard = output.renderMilliseconds(2000);
    EXPECT_LT(rms(between(heard, 1500, 2000)), silence) << "played once, the jump back stops the module";
    EXPECT_EQ(engine.isActive(once), ChannelState::Stopped);

    const ChannelHandle looped = start(song, mainFlags);
    engine.setEndSync(looped);
    output.renderMilliseconds(1500);
    EXPECT_EQ(engine.takeEndedSyncs().size(), 1u);
    EXPECT_EQ(orderOf(engine.position(looped)), 1u) << "looping, it goes on where the jump leads";
}

TEST_P(ModuleDecoderTest, PositionResetStopsNotesOnAJump)
{
    // Order 1 plays an empty pattern: after a jump there only notes carried over can sound.
    TrackerSong song = TrackerSong::tones(2, 1, 16);
    song.addPattern(16);
    song.orders[1] = 1;

    const ChannelHandle reset = start(song, mainFlags);
    output.renderMilliseconds(200);
    engine.setPosition(reset, 1);
    EXPECT_LT(rms(output.renderMilliseconds(100)), silence);
    engine.free(reset);

    const ChannelHandle carried = start(song, mainFlags & ~PlayFlag::PositionReset);
    output.renderMilliseconds(200);
    engine.setPosition(carried, 1);
    EXPECT_GT(rms(output.renderMilliseconds(100)), 0.03);
}

TEST_P(ModuleDecoderTest, ModuleFromDiskPlaysAndBrokenModulesDoNoHarm)
{
    TempDir dir;
    const std::vector<std::uint8_t> whole = write(TrackerSong::tones(3));
    writeFile(dir / "song.mod", whole);
    const ChannelHandle fromDisk = engine.loadModule(dir / "song.mod");
    ASSERT_NE(fromDisk, 0u);
    EXPECT_EQ(engine.length(fromDisk), 3u);

    // Cut anywhere, a module either fails to load or plays without reading past its data.
    for (std::size_t cut : {whole.size() - 1, whole.size() * 3 / 4, whole.size() / 2, std::size_t{400}, std::size_t{64}, std::size_t{10}}) {
        const std::vector<std::uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        const ChannelHandle handle = engine.loadModule(part, "cut");
        engine.play(handle, mainFlags);
        engine.setEndSync(handle);
        const std::vector<float> heard = output.renderMilliseconds(1000);
        EXPECT_LE(rms(heard), 1.0);
        engine.free(handle);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ModuleDecoderTest, ::testing::Bool(), [](const auto& info) { return info.param ? "It" : "Xm"; });

} // namespace
} // namespace windlecroft::test

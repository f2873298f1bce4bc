// The end of a track wakes the player's loop out of turn, so the next track starts at once even
// while the desktop ticks rarely.
#include "support/StandardSkin.h"
#include "support/ToneEncoder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

const std::vector<std::uint8_t>& shortTone()
{
    static const std::vector<std::uint8_t> bytes = encodeTone({.format = ToneFormat::OggVorbis, .seconds = 0.2});
    return bytes;
}

} // namespace

TEST(EndWake, EngineCallsItsListenerOnceTheChannelReachesItsEnd)
{
    std::ostringstream diagnostics;
    AudioEngine engine{diagnostics};
    NullAudioOutput output;
    output.start(engine);
    std::atomic<int> calls{0};
    engine.setEndListener([&calls] { calls.fetch_add(1); });
    const ChannelHandle handle = engine.createStream(shortTone(), "tone");
    ASSERT_NE(handle, 0u);
    engine.setEndSync(handle);
    engine.play(handle, 0);
    output.renderMilliseconds(100);
    EXPECT_EQ(calls.load(), 0) << "still playing";
    output.renderMilliseconds(200);
    EXPECT_EQ(calls.load(), 1);
    output.renderMilliseconds(200);
    EXPECT_EQ(calls.load(), 1) << "a stream ends once";
    output.stop();
}

TEST(EndWake, TheRunningPlayerIsWokenByTheEndOfATrack)
{
    Harness h(false);
    TestSkin skin;
    buildStandardSkin(skin, "dzien", false, false);
    h.start(skin);
    h.run(20);
    const ChannelHandle handle = h.app->audioEngine().createStream(shortTone(), "tone");
    ASSERT_NE(handle, 0u);
    h.app->audioEngine().setEndSync(handle);
    h.app->audioEngine().play(handle, 0);
    EXPECT_EQ(h.desktop->wakes(), 0);
    h.audio.renderMilliseconds(400);
    EXPECT_EQ(h.desktop->wakes(), 1);
}

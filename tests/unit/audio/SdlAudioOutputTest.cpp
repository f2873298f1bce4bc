#include "platform/sdl/SdlAudioOutput.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

namespace windlecroft::test {
namespace {

// A source that plays a constant, different value on each side and counts what was pulled.
class ConstantSource final : public AudioSource {
public:
    void render(std::span<float> out) override
    {
        for (std::size_t i = 0; i < out.size(); i += 2) {
            out[i] = 0.25f;
            out[i + 1] = -0.5f;
        }
        frames += out.size() / 2;
    }

    bool waitFor(std::size_t wanted) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (frames < wanted && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return frames >= wanted;
    }

    std::atomic<std::size_t> frames{0};
};

TEST(SdlAudioOutputTest, DiskDriverReceivesWhatTheSourceRenders)
{
    TempDir dir;
    const auto file = dir / "heard.raw";
    // The disk driver stands for a sound card: it writes the device's samples to a file.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);

    std::ostringstream diagnostics;
    ConstantSource source;
    {
        SdlAudioOutput output(diagnostics);
        output.start(source);
        EXPECT_EQ(output.driver(), "disk");
        ASSERT_TRUE(source.waitFor(8192));
        output.stop();
        EXPECT_EQ(output.driver(), "");
    }
    EXPECT_EQ(diagnostics.str(), "");

    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GE(bytes.size(), 8u * 1024);
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    // SDL writes silence while the device is still paused just after opening.
    std::size_t first = 0;
    while (first + 1 < samples.size() && samples[first] == 0.0f && samples[first + 1] == 0.0f)
        first += 2;
    ASSERT_GE(samples.size() - first, 2u * 4096);
    for (std::size_t i = first; i + 1 < samples.size(); i += 2) {
        ASSERT_EQ(samples[i], 0.25f) << "frame " << i / 2;
        ASSERT_EQ(samples[i + 1], -0.5f) << "frame " << i / 2;
    }
}

// While idle the device is closed and nothing is pulled; leaving idle opens it again.
TEST(SdlAudioOutputTest, AnIdleOutputPullsNothingUntilItWakes)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::ostringstream diagnostics;
    ConstantSource source;
    SdlAudioOutput output(diagnostics);
    output.start(source);
    ASSERT_TRUE(source.waitFor(4096));
    output.setIdle(true);
    const std::size_t resting = source.frames;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(source.frames, resting);
    output.setIdle(false);
    EXPECT_EQ(output.driver(), "dummy");
    EXPECT_TRUE(source.waitFor(resting + 4096));
    output.stop();
}

TEST(SdlAudioOutputTest, WithoutADeviceTheDummyDriverPullsAndOneLineSaysSo)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::ostringstream diagnostics;
    ConstantSource source;
    SdlAudioOutput output(diagnostics);
    output.start(source);
    EXPECT_EQ(output.driver(), "dummy");
    EXPECT_TRUE(source.waitFor(4096)) << "the engine still runs, so tracks still end and advance";
    output.stop();
    const std::string line = diagnostics.str();
    EXPECT_EQ(line.rfind("windlecroft: no audio device (", 0), 0u) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);

    // Stopping twice, and starting again after a stop, are both fine.
    output.stop();
    output.start(source);
    output.stop();
}

} // namespace
} // namespace windlecroft::test

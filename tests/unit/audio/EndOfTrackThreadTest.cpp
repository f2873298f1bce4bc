#include "support/PlayerHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace windlecroft::test {
namespace {

// These cases let a real second thread pull audio while the main thread works the player, the
// way an output device does. They are the ones to run under ThreadSanitizer.
class EndOfTrackThreadTest : public PlayerHarness, public ::testing::Test {
protected:
    void startAudioThread()
    {
        audio = std::thread([this] {
            while (!quit) {
                const std::vector<float> block = output.renderMilliseconds(10);
                if (rms(block) > 0.1)
                    ++loudBlocks;
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }

    void stopAudioThread()
    {
        quit = true;
        if (audio.joinable())
            audio.join();
    }

    ~EndOfTrackThreadTest() override { stopAudioThread(); }

    std::thread audio;
    std::atomic<bool> quit{false};
    std::atomic<int> loudBlocks{0};
};

TEST_F(EndOfTrackThreadTest, EveryEndAdvancesExactlyOnceWhileTheMainThreadAlsoMoves)
{
    setPlaylist({tone("a.ogg", 500, 0.1), tone("b.ogg", 1500, 0.1), tone("c.ogg", 3000, 0.1)});
    player.playCurrent();
    startAudioThread();

    int steps = 0;
    int automatic = 0;
    int pressedAt = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::array<float, 512> spectrum{};
    while (automatic < 12 && std::chrono::steady_clock::now() < deadline) {
        const int before = player.currentIndex();
        player.handleEndedTracks();
        for (const Action& action : takePosts()) {
            ASSERT_EQ(action, (Action{0x4003, 0}));
            ++automatic;
            ++steps;
        }
        if (player.currentIndex() != before) {
            ASSERT_EQ(player.currentIndex(), (before + 1) % 3) << "one end, one step";
        }
        // The person presses "next" now and then, perhaps just as a track ends.
        if (automatic % 4 == 3 && pressedAt != automatic) {
            player.playNext();
            pressedAt = automatic;
            ++steps;
        }
        player.togglePause();
        player.togglePause();
        player.readSpectrum(spectrum);
        player.setMainVolume(100);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stopAudioThread();
    EXPECT_EQ(automatic, 12);
    EXPECT_EQ(player.currentIndex(), steps % 3);
    EXPECT_GT(loudBlocks, 0);
}

TEST_F(EndOfTrackThreadTest, RepeatOneKeepsTheEntryPlayingWithoutEverPosting)
{
    setPlaylist({tone("a.ogg", 500, 0.1), tone("b.ogg", 1500, 0.1)});
    player.toggleRepeatOne();
    player.playIndex(1);
    startAudioThread();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < until) {
        player.handleEndedTracks();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stopAudioThread();
    EXPECT_EQ(player.currentIndex(), 1);
    EXPECT_TRUE(takePosts().empty());
    EXPECT_TRUE(player.mainPlaying());
    EXPECT_GT(loudBlocks, 20) << "the looping track went on sounding";
}

} // namespace
} // namespace windlecroft::test

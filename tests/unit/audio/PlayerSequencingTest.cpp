#include "support/PlayerHarness.h"

#include "support/XmWriter.h"

#include <gtest/gtest.h>

#include <set>

namespace windlecroft::test {
namespace {

constexpr double level = 0.3;
constexpr Action trackAdvanced{0x4003, 0};

class PlayerSequencingTest : public PlayerHarness, public ::testing::Test {
protected:
    // Three tones told apart by pitch; each lasts 0.3 s.
    void threeTones()
    {
        setPlaylist({tone("a.ogg", 500, 0.3), tone("b.ogg", 1500, 0.3), tone("c.ogg", 3000, 0.3)});
    }

    static constexpr double pitch[] = {500, 1500, 3000};
};

TEST_F(PlayerSequencingTest, AddTrackPutsTheNewestEntryFirst)
{
    playlist.addTrack("first.ogg");
    playlist.addTrack("second.xm");
    playlist.addTrack("third.txt");
    ASSERT_EQ(playlist.count(), 3);
    EXPECT_EQ(playlist.at(0)->name, "third.txt");
    EXPECT_EQ(playlist.at(2)->name, "first.ogg");
    EXPECT_EQ(playlist.at(0)->kind, ChannelKind::None);
    EXPECT_EQ(playlist.at(1)->kind, ChannelKind::Module);
    EXPECT_EQ(playlist.at(2)->kind, ChannelKind::Stream);
    EXPECT_FALSE(playlist.at(2)->fromArchive);
    EXPECT_EQ(playlist.at(3), nullptr);
}

TEST_F(PlayerSequencingTest, EndOfTheLastEntryStartsTheFirstAfterASilentWait)
{
    threeTones();
    player.playIndex(2);
    EXPECT_EQ(publishedIndex, 2);
    takePosts();

    // The audio thread only reports the end; until the main thread acts the channel is silent.
    const std::vector<float> ending = output.renderMilliseconds(500);
    EXPECT_EQ(dominantBin(std::vector<float>(ending.begin(), ending.begin() + 2 * 11025)), binOf(3000));
    EXPECT_LT(rms(between(ending, 320, 500)), silence);
    EXPECT_EQ(player.currentIndex(), 2);

    player.handleEndedTracks();
    EXPECT_EQ(player.currentIndex(), 0);
    EXPECT_EQ(player.previousIndex(), 2);
    EXPECT_EQ(publishedIndex, 0);
    EXPECT_EQ(takePosts(), (std::vector<Action>{trackAdvanced}));
    const std::vector<float> next = output.renderMilliseconds(100);
    EXPECT_GT(rms(next), level);
    EXPECT_EQ(dominantBin(next), binOf(500));
}

TEST_F(PlayerSequencingTest, RepeatOneReplaysTheSameEntryWithoutAGapAndPostsNothing)
{
    threeTones();
    player.playIndex(1);
    player.toggleRepeatOne();
    takePosts();
    const std::vector<float> heard = output.renderMilliseconds(700);
    player.handleEndedTracks();
    EXPECT_GT(rms(between(heard, 250, 700)), level) << "the loop goes on at once";
    EXPECT_EQ(dominantBin(heard), binOf(1500));
    EXPECT_EQ(player.currentIndex(), 1);
    EXPECT_TRUE(takePosts().empty());

    // Switched on while the track waits silently at its end, repeat starts it over at once.
    player.toggleRepeatOne();
    output.renderMilliseconds(400);
    player.toggleRepeatOne();
    EXPECT_GT(rms(output.renderMilliseconds(100)), level);
    player.handleEndedTracks();
    EXPECT_EQ(player.currentIndex(), 1);
}

TEST_F(PlayerSequencingTest, ModuleEndAdvancesLikeAStream)
{
    setPlaylist({file("one.xm", writeXm(TrackerSong::tones(1))), tone("b.ogg", 1500, 0.3)});
    player.playCurrent();
    const std::vector<float> heard = output.renderMilliseconds(700); // one order lasts 480 ms
    EXPECT_LT(rms(between(heard, 520, 700)), silence);
    player.handleEndedTracks();
    EXPECT_EQ(player.currentIndex(), 1);
    EXPECT_EQ(dominantBin(output.renderMilliseconds(100)), binOf(1500));
}

TEST_F(PlayerSequencingTest, StopBeforeTheEndIsHandledDropsThePendingEnd)
{
    threeTones();
    player.playCurrent();
    output.renderMilliseconds(400);
    player.playNext(); // the person was quicker than the frame update
    player.handleEndedTracks();
    EXPECT_EQ(player.currentIndex(), 1) << "only one advance";
    EXPECT_EQ(dominantBin(output.renderMilliseconds(100)), binOf(1500));
}

TEST_F(PlayerSequencingTest, PlayNextWhileStoppedMovesOnSilentlyAndWhilePausedStartsTheNext)
{
    threeTones();
    player.playNext();
    EXPECT_EQ(player.currentIndex(), 1);
    EXPECT_EQ(player.mainChannel().kind, ChannelKind::None);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);

    player.playCurrent();
    player.togglePause();
    player.playNext();
    EXPECT_EQ(player.currentIndex(), 2);
    const std::vector<float> heard = output.renderMilliseconds(100);
    EXPECT_GT(rms(heard), level);
    EXPECT_EQ(dominantBin(heard), binOf(3000));

    player.stopMain();
    player.playNext();
    EXPECT_EQ(player.currentIndex(), 0);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
}

TEST_F(PlayerSequencingTest, PlayCurrentResumesAPausedTrackAndStartsNothingElse)
{
    threeTones();
    player.playCurrent();
    const ChannelHandle first = player.mainChannel().stream;
    output.renderMilliseconds(100);
    player.togglePause();
    player.playCurrent();
    EXPECT_EQ(player.mainChannel().stream, first);
    EXPECT_TRUE(player.mainPlaying());
    player.playCurrent();
    EXPECT_EQ(player.mainChannel().stream, first);
    EXPECT_GT(engine.position(first), 0u);
}

TEST_F(PlayerSequencingTest, PlaceholdersAreSkippedAndRefused)
{
    setPlaylist({tone("a.ogg", 500), "", tone("c.ogg", 3000), ""});
    player.playNext();
    EXPECT_EQ(player.currentIndex(), 2);
    player.playNext();
    EXPECT_EQ(player.currentIndex(), 0);
    player.playPrevious();
    EXPECT_EQ(player.currentIndex(), 2) << "from 0 back past the placeholder at 3";

    player.playIndex(1);
    player.playIndex(4);
    player.playIndex(-1);
    EXPECT_EQ(player.currentIndex(), 2);
    EXPECT_EQ(player.mainChannel().kind, ChannelKind::None);
    player.playIndex(0);
    EXPECT_EQ(dominantBin(output.renderMilliseconds(100)), binOf(500));
}

TEST_F(PlayerSequencingTest, SequentialPlayPreviousWrapsAndForgetsTheRememberedEntry)
{
    threeTones();
    player.playNext();
    EXPECT_EQ(player.previousIndex(), 0);
    player.playPrevious();
    EXPECT_EQ(player.currentIndex(), 0);
    player.playPrevious();
    EXPECT_EQ(player.currentIndex(), 2);
    EXPECT_EQ(player.previousIndex(), -1);
}

// Plays count advances at random and returns the positions visited.
std::vector<int> randomWalk(int count)
{
    PlayerHarness harness;
    for (int i = 0; i < 10; ++i)
        harness.playlist.addTrack("track" + std::to_string(i) + ".ogg");
    harness.player.toggleRandom();
    std::vector<int> visited;
    for (int i = 0; i < count; ++i) {
        const int before = harness.player.currentIndex();
        harness.player.playNext();
        EXPECT_NE(harness.player.currentIndex(), before);
        visited.push_back(harness.player.currentIndex());
    }
    return visited;
}

TEST_F(PlayerSequencingTest, RandomOrderIsTheSameInEveryRunAndNeverRepeatsTheCurrentEntry)
{
    const std::vector<int> first = randomWalk(40);
    EXPECT_EQ(first, randomWalk(40));
    EXPECT_GT(std::set<int>(first.begin(), first.end()).size(), 5u);
}

TEST_F(PlayerSequencingTest, RandomPlayPreviousReturnsOnceToTheRememberedEntry)
{
    for (int i = 0; i < 10; ++i)
        playlist.addTrack("track" + std::to_string(i) + ".ogg");
    player.toggleRandom();
    player.playIndex(4);
    player.playNext();
    const int drawn = player.currentIndex();
    ASSERT_NE(drawn, 4);
    EXPECT_EQ(player.previousIndex(), 4);

    player.playPrevious();
    EXPECT_EQ(player.currentIndex(), 4);
    EXPECT_EQ(player.previousIndex(), -1);

    // The second time nothing is remembered: the pick is random, the next value the generator
    // gives (the harness's generator has drawn once so far).
    LinearCongruentialGenerator reference;
    reference.next();
    const int expected = reference.next() % 10;
    player.playPrevious();
    EXPECT_EQ(player.currentIndex(), expected);
}

TEST_F(PlayerSequencingTest, DegeneratePlaylistsChangeNothingAndNeverHang)
{
    // Empty playlist.
    player.playNext();
    player.playPrevious();
    player.playCurrent();
    player.playIndex(0);
    player.onTrackEnd();
    player.setMainVolume(10);
    EXPECT_EQ(player.currentIndex(), 0);

    // Only placeholders.
    setPlaylist({"", "", ""});
    player.playNext();
    player.playPrevious();
    player.toggleRandom();
    player.playNext();
    player.playPrevious();
    EXPECT_EQ(player.currentIndex(), 0);
    EXPECT_EQ(player.mainChannel().kind, ChannelKind::None);
}

TEST_F(PlayerSequencingTest, RandomOrderWithOneEntryStaysOnIt)
{
    setPlaylist({"", tone("only.ogg", 1500, 0.3), ""});
    player.toggleRandom();
    player.playIndex(1);
    output.renderMilliseconds(400);
    player.handleEndedTracks();
    EXPECT_EQ(player.currentIndex(), 1);
    EXPECT_EQ(dominantBin(output.renderMilliseconds(100)), binOf(1500)) << "the entry starts again";
    player.playNext();
    player.playPrevious();
    EXPECT_EQ(player.currentIndex(), 1);
}

TEST_F(PlayerSequencingTest, DiskModulesAnnounceWhetherTheirNameSaysLoop)
{
    const std::vector<std::uint8_t> song = writeXm(TrackerSong::tones(2));
    setPlaylist({file("intro_loop.xm", song), file("Loop.xm", song)});
    player.playCurrent();
    EXPECT_EQ(takePosts(), (std::vector<Action>{Action{0x6001, 0}}));
    player.playNext();
    EXPECT_EQ(takePosts(), (std::vector<Action>{Action{0x6002, 0}})) << "the match is case-sensitive";
}

TEST_F(PlayerSequencingTest, MissingFileIsSilentSaysSoOnceAndTheListGoesOn)
{
    setPlaylist({(dir / "gone.ogg").string(), tone("b.ogg", 1500, 0.3)});
    player.playCurrent();
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence);
    EXPECT_EQ(diagnostics.str(), "windlecroft: can't play music file " + (dir / "gone.ogg").string() + "\n");
    player.playNext();
    EXPECT_EQ(player.currentIndex(), 1);
    EXPECT_EQ(player.mainChannel().kind, ChannelKind::Stream);
    EXPECT_LT(rms(output.renderMilliseconds(50)), silence) << "handle 0 reported stopped: nothing was active";
    player.playCurrent();
    EXPECT_GT(rms(output.renderMilliseconds(50)), level);
}

} // namespace
} // namespace windlecroft::test

namespace windlecroft::test {
namespace {

// A playlist name is Windows-1250 bytes: a Polish name plays from the file the UTF-8 file system
// holds, and a name written with backslashes finds its folder.
TEST_F(PlayerSequencingTest, Windows1250NamesAndBackslashesFindTheirFiles)
{
    std::filesystem::create_directory(dir / "muzyka");
    std::filesystem::rename(tone("polish.ogg", 1500, 0.5), dir / "muzyka" / "\xC5\xBC\xC3\xB3\xC5\x82w.ogg");
    setPlaylist({(dir / "muzyka").string() + "\\\xBF\xF3\xB3w.ogg"});
    player.playCurrent();
    EXPECT_GT(rms(output.renderMilliseconds(100)), level);
    EXPECT_EQ(diagnostics.str(), "");
}

} // namespace
} // namespace windlecroft::test

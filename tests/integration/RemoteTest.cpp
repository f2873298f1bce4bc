// A remote control (the desktop's media keys and widgets) seen from the core: its commands
// become the skin's actions, and it is told what changes, and only that.
#include "app/RemoteControl.h"
#include "app/RemoteState.h"
#include "support/AppHarness.h"
#include "support/ToneEncoder.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

class FakeRemote final : public RemoteControl {
public:
    bool offer(RemoteCommands&, const RemoteState& state) override
    {
        published_.push_back(state);
        return true;
    }
    void withdraw() override { withdrawn_ = true; }
    void publish(const RemoteState& state) override { published_.push_back(state); }
    void seeked(std::int64_t position) override { seeks_.push_back(position); }

    const std::vector<RemoteState>& published() const { return published_; }
    const std::vector<std::int64_t>& seeks() const { return seeks_; }
    bool withdrawn() const { return withdrawn_; }

private:
    std::vector<RemoteState> published_;
    std::vector<std::int64_t> seeks_;
    bool withdrawn_ = false;
};

std::string line(std::uint16_t code, std::uint16_t arg = 0)
{
    char text[48];
    std::snprintf(text, sizeof text, "windlecroft: action 0x%04X 0x%04X\n", code, arg);
    return text;
}

// Two 12-second tones: position 0 "Żuraw" (Windows-1250), position 1 "Tone"; an outro page.
class Remote : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestSkin skin;
        skin.config.startScene("dzien");
        skin.config.stringMapping(2, {{"dzien", 0}, {"outro", 1}});
        skin.addPage("dzien", dayColours);
        skin.addPage("outro", outroColours);
        const std::vector<std::uint8_t> tone = encodeTone({.seconds = 12.0});
        writeFile(h.dir / "tone.ogg", tone);
        writeFile(h.dir / "zuraw.ogg", tone);
        skin.config.tracklist(1, {{"Tone", (h.dir / "tone.ogg").string()}, {"\xAFuraw", (h.dir / "zuraw.ogg").string()}});
        h.start(skin, &remote);
        h.run(20);
    }

    // The trace lines of the actions a call led to.
    template <typename Call>
    std::string traced(Call&& call)
    {
        h.log.str("");
        call(*h.app);
        return h.log.str();
    }
    std::string command(RemoteCommand c) { return traced([c](Application& app) { app.remoteCommand(c); }); }
    std::string volume(double v) { return traced([v](Application& app) { app.remoteSetVolume(v); }); }
    std::string seek(std::int64_t us) { return traced([us](Application& app) { app.remoteSeek(us); }); }
    std::string setPosition(int track, std::int64_t us)
    {
        return traced([track, us](Application& app) { app.remoteSetPosition(track, us); });
    }

    FakeRemote remote;
    Harness h{false, true};
};

} // namespace

TEST_F(Remote, CommandsArePostedAsTheSkinsActionsByTheStateOfPlay)
{
    EXPECT_EQ(command(RemoteCommand::Pause), "") << "nothing plays";
    EXPECT_EQ(command(RemoteCommand::PlayPause), line(0x1001));
    EXPECT_EQ(command(RemoteCommand::PlayPause), line(0x1007));
    EXPECT_FALSE(h.app->player().mainPlaying());
    EXPECT_EQ(command(RemoteCommand::Pause), "") << "a remote's pause never resumes";
    EXPECT_EQ(command(RemoteCommand::PlayPause), line(0x1007));
    EXPECT_EQ(command(RemoteCommand::Pause), line(0x1007));
    EXPECT_EQ(command(RemoteCommand::Play), line(0x1001));
    EXPECT_EQ(command(RemoteCommand::Next), line(0x1003));
    EXPECT_EQ(command(RemoteCommand::Previous), line(0x1004));
    EXPECT_EQ(command(RemoteCommand::Stop), line(0x1002));
    EXPECT_EQ(command(RemoteCommand::Raise), line(0xFFFC));
    EXPECT_EQ(volume(0.4), line(0x1017, 40));
    EXPECT_EQ(volume(7.0), line(0x1017, 100));
    EXPECT_EQ(volume(-1.0), line(0x1017, 0));
    EXPECT_EQ(volume(std::nan("")), "");
    // Quitting runs the skin's outro; a second request, on the outro, quits at once.
    EXPECT_EQ(command(RemoteCommand::Quit), line(0x8001, 1));
    h.run(50);
    EXPECT_EQ(command(RemoteCommand::Quit), line(0xFFFF));
}

TEST_F(Remote, SeeksGoThroughSeekToInWholeSecondsAndEachJumpIsSignalled)
{
    EXPECT_EQ(seek(1'000'000), "") << "nothing is loaded";
    h.act(0x1001);
    EXPECT_EQ(setPosition(1, 2'000'000), "") << "not the current track";
    EXPECT_EQ(setPosition(0, 2'400'000), line(0x1019, 2));
    EXPECT_EQ(h.app->remotePosition(), 2'000'000);
    EXPECT_EQ(seek(1'000'000), line(0x1019, 3));
    EXPECT_EQ(seek(-9'000'000), line(0x1019, 0));
    EXPECT_EQ(remote.seeks(), (std::vector<std::int64_t>{2'000'000, 3'000'000, 0}));
    // The skin's own step is a jump too.
    h.act(0x1005);
    EXPECT_EQ(remote.seeks().size(), 4u);
    EXPECT_EQ(seek(3'000'000), line(0x1003)) << "past the end the next entry plays";
}

TEST_F(Remote, TheRemoteIsToldWhatChangesAndNothingWhileNothingDoes)
{
    const std::vector<RemoteState>& published = remote.published();
    ASSERT_EQ(published.size(), 1u) << "offered once, then nothing changed";
    const RemoteState offered = published.back();
    EXPECT_EQ(offered.playback, RemotePlayback::Stopped);
    EXPECT_EQ(offered.track, 0);
    EXPECT_EQ(offered.title, "\xC5\xBBuraw");
    EXPECT_EQ(offered.file, h.dir / "zuraw.ogg");
    EXPECT_TRUE(offered.canGoNext && offered.canPlay);

    h.act(0x1001);
    EXPECT_EQ(published.back().playback, RemotePlayback::Playing);
    EXPECT_NEAR(static_cast<double>(published.back().lengthMicroseconds), 12e6, 1e4);
    const std::size_t count = published.size();
    h.run(1000);
    EXPECT_EQ(published.size(), count);

    h.act(0x1017, 30);
    EXPECT_EQ(published.back().volume, 30);
    h.act(0x1008);
    EXPECT_TRUE(published.back().repeatOne);
    h.act(0x1003);
    EXPECT_EQ(published.back().track, 1);
    EXPECT_EQ(published.back().title, "Tone");
    EXPECT_EQ(published.back().file, h.dir / "tone.ogg");
    EXPECT_EQ(published.back().volume, 100) << "a new track plays at full volume";

    h.app->shutdown();
    EXPECT_TRUE(remote.withdrawn());
}

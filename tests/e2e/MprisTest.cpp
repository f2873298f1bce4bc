// The real player on a private Xvfb and a private session bus, driven with playerctl as media
// keys and sound menus drive it; what it plays goes to SDL's disk output and is measured there.
#include "XServer.h"
#include "skin/ChunkIds.h"
#include "support/Process.h"
#include "support/SoundMeasure.h"
#include "support/TempDir.h"
#include "support/TestSkin.h"
#include "support/ToneEncoder.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

using namespace windlecroft;
using namespace windlecroft::test;
using namespace std::chrono_literals;

namespace {

// The playlist's file order puts "Pierwsza" at position 0 and "Żuraw" (Windows-1250 0xAF) at 1.
const std::string firstTitle = "Pierwsza";
constexpr double toneSeconds = 30.0;

bool installed(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A session bus of the test's own, on a socket in a temporary folder.
class PrivateBus {
public:
    PrivateBus()
        : address_("unix:path=" + (folder_ / "bus").string())
        , daemon_({"dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=" + address_}, {})
    {
        ready_ = eventually([this] { return std::filesystem::exists(folder_ / "bus"); }, 5s);
    }

    bool ready() const { return ready_; }
    const std::string& address() const { return address_; }

    /** Runs playerctl against the player; its output without the line end, or nothing when it failed. */
    std::optional<std::string> playerctl(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), {"playerctl", "--player=windlecroft"});
        const RunResult result = runProcess(arguments, {{}, {{"DBUS_SESSION_BUS_ADDRESS", address_}}}, 10s);
        if (result.status != 0)
            return std::nullopt;
        return result.output.substr(0, result.output.find_last_not_of('\n') + 1);
    }

    /** Calls a method of the player's object with dbus-send, waiting for the reply. */
    RunResult call(const std::string& method, const std::vector<std::string>& arguments = {}) const
    {
        std::vector<std::string> command{"dbus-send", "--session", "--print-reply",
                                         "--dest=org.mpris.MediaPlayer2.windlecroft", "/org/mpris/MediaPlayer2", method};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return runProcess(command, {{}, {{"DBUS_SESSION_BUS_ADDRESS", address_}}}, 10s);
    }

private:
    TempDir folder_;
    std::string address_;
    Process daemon_;
    bool ready_ = false;
};

// The page the skin starts on plays the playlist as it is entered.
void writePlayingSkin(const TempDir& dir)
{
    const std::vector<std::uint8_t> tone = encodeTone({.seconds = toneSeconds});
    writeFile(dir / "zuraw.ogg", tone);
    writeFile(dir / "pierwsza.ogg", tone);
    TestSkin skin(64, 48, "Windlecroft remote");
    skin.addPage("dzien", {0x102030, 0x405060, 0x708090}, false,
                 [](SkinConfigWriter& c) { c.actionRecord(record::enterAction, 0x1001, 0); });
    skin.config.tracklist(1, {{"\xAFuraw", "zuraw.ogg"}, {firstTitle, "pierwsza.ogg"}});
    skin.config.startScene("dzien");
    skin.save(dir.path());
}

// The level of what is heard over the next span, once sound still buffered has passed; −1 when
// the output wrote (almost) nothing.
double levelOfNext(const std::filesystem::path& raw, std::chrono::milliseconds settle, std::chrono::milliseconds span)
{
    std::this_thread::sleep_for(settle);
    const std::uintmax_t from = std::filesystem::file_size(raw) / 8 * 8;
    std::this_thread::sleep_for(span);
    const std::vector<float> samples = heardSamples(raw, from);
    return samples.size() < 2 * AudioOutput::sampleRate / 10 ? -1.0 : rms(samples);
}

std::string traceLine(std::uint16_t code, std::uint16_t arg)
{
    char line[48];
    std::snprintf(line, sizeof line, "windlecroft: action 0x%04X 0x%04X\n", code, arg);
    return line;
}

} // namespace

TEST(MediaRemote, PlayerctlSeesControlsAndHearsThePlayer)
{
    if (!installed("playerctl") || !installed("dbus-daemon"))
        GTEST_SKIP() << "playerctl and dbus-daemon are needed (scripts/install-deps installs them)";
    PrivateBus bus;
    ASSERT_TRUE(bus.ready()) << "dbus-daemon did not start";
    XServer x(640, 480);
    ASSERT_TRUE(x.ready());
    TempDir skin;
    writePlayingSkin(skin);
    TempDir runtime;
    const std::filesystem::path heard = skin / "heard.raw";
    Process::Options options;
    options.workingDir = skin.path();
    options.environment = {{"DISPLAY", x.display()},
                           {"WAYLAND_DISPLAY", ""},
                           {"QT_QPA_PLATFORM", "xcb"},
                           {"XDG_RUNTIME_DIR", runtime.path().string()},
                           {"DBUS_SESSION_BUS_ADDRESS", bus.address()},
                           {"SDL_AUDIODRIVER", "disk"},
                           {"SDL_DISKAUDIOFILE", heard.string()}};
    Process signals({"dbus-monitor", "--address", bus.address(), "type='signal',path='/org/mpris/MediaPlayer2'"}, {});
    Process player({builtProgram("windlecroft").string(), "--trace-actions", "--quit-after", "60000"}, options);
    const auto traced = [&player](std::uint16_t code, std::uint16_t arg) {
        return player.errors().find(traceLine(code, arg)) != std::string::npos;
    };

    ASSERT_TRUE(eventually([&] { return bus.playerctl({"--list-all"}).value_or("").find("windlecroft") != std::string::npos; }))
        << player.errors();
    EXPECT_TRUE(eventually([&] { return bus.playerctl({"status"}) == "Playing"; })) << player.errors();
    EXPECT_EQ(bus.playerctl({"metadata", "xesam:title"}), firstTitle);
    EXPECT_NEAR(std::stod(bus.playerctl({"metadata", "mpris:length"}).value_or("0")), toneSeconds * 1e6, 0.1e6);
    EXPECT_EQ(bus.playerctl({"metadata", "xesam:url"}), "file://" + std::filesystem::canonical(skin / "pierwsza.ogg").string());

    // The main channel's volume, set as the skin's main-volume action sets it.
    const double full = levelOfNext(heard, 0ms, 500ms);
    ASSERT_GT(full, 0.05) << "nothing was heard";
    ASSERT_TRUE(bus.playerctl({"volume", "0.4"}));
    EXPECT_TRUE(eventually([&] { return bus.playerctl({"volume"}) == "0.400000"; })) << bus.playerctl({"volume"}).value_or("");
    EXPECT_TRUE(traced(0x1017, 40)) << player.errors();
    EXPECT_NEAR(levelOfNext(heard, 400ms, 500ms) / full, 0.4, 0.04);

    // Next: the title is the next entry's name, in UTF-8.
    ASSERT_TRUE(bus.playerctl({"next"}));
    EXPECT_TRUE(eventually([&] { return bus.playerctl({"metadata", "xesam:title"}) == "\xC5\xBBuraw"; }))
        << bus.playerctl({"metadata"}).value_or("");
    EXPECT_TRUE(traced(0x1003, 0));

    // A jump to an absolute position goes through the seek-to action in whole seconds.
    ASSERT_TRUE(bus.playerctl({"position", "12"}));
    EXPECT_TRUE(eventually([&] {
        const double position = std::stod(bus.playerctl({"position"}).value_or("0"));
        return position >= 12.0 && position < 14.0;
    })) << bus.playerctl({"position"}).value_or("");
    EXPECT_TRUE(traced(0x1019, 12));
    EXPECT_TRUE(eventually([&] { return signals.output().find("member=Seeked") != std::string::npos; })) << signals.output();

    // Pause: the skin's pause action, and silence from then on.
    ASSERT_TRUE(bus.playerctl({"pause"}));
    EXPECT_TRUE(eventually([&] { return bus.playerctl({"status"}) == "Paused"; }));
    EXPECT_TRUE(traced(0x1007, 0)) << player.errors();
    // A paused player may close its output altogether (−1), which is silence too.
    EXPECT_LT(levelOfNext(heard, 400ms, 500ms), silence);
    // The change was signalled, and while nothing changes nothing more is.
    const std::string signalled = signals.output();
    EXPECT_NE(signalled.find("string \"Paused\""), std::string::npos) << signalled;
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(signals.output(), signalled);

    // Opening anything is refused with an error the caller sees.
    const RunResult open = bus.call("org.mpris.MediaPlayer2.Player.OpenUri", {"string:file:///tmp/x.ogg"});
    EXPECT_NE(open.status, 0);
    EXPECT_NE(open.errors.find("org.mpris.MediaPlayer2.windlecroft.Error.NotSupported"), std::string::npos) << open.errors;

    // A second player finds the name taken, says so in one line and runs on.
    Process::Options second = options;
    second.environment["SDL_AUDIODRIVER"] = "dummy";
    const RunResult other = runProcess({builtProgram("windlecroft").string(), "--quit-after", "1500"}, second);
    EXPECT_EQ(other.status, 0) << other.errors;
    EXPECT_EQ(other.errors, "windlecroft: the D-Bus name org.mpris.MediaPlayer2.windlecroft is taken (is another "
                            "windlecroft running?); media keys and desktop media controls will not see the player\n");

    // Quit: this skin has no outro, so the player ends at once.
    EXPECT_EQ(bus.call("org.mpris.MediaPlayer2.Quit").status, 0);
    EXPECT_EQ(player.wait(10s), 0) << player.errors();
    EXPECT_TRUE(traced(0xFFFF, 0));
    EXPECT_EQ(player.errors().find("D-Bus"), std::string::npos) << player.errors();
}

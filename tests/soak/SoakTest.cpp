#include "app/Application.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/ManualClock.h"
#include "platform/headless/NullAudioOutput.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <array>
#include <cstdio>
#include <memory>
#include <random>
#include <sstream>

using namespace windlecroft;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool heapMeasurable = false;
#else
constexpr bool heapMeasurable = true;
#endif

// Every action code the player knows, and a few it does not.
constexpr std::array<std::uint16_t, 34> actionCodes{
    0x1001, 0x1002, 0x1003, 0x1004, 0x1005, 0x1006, 0x1007, 0x1008, 0x1009, 0x100A, 0x1010, 0x1011,
    0x1012, 0x1013, 0x1014, 0x1015, 0x1016, 0x1017, 0x1018, 0x2000, 0x4000, 0x4001, 0x4002, 0x4003,
    0x5001, 0x5002, 0x5003, 0x6001, 0x6002, 0x7001, 0x8001, 0xFFFC, 0xFFFD, 0xFFFE};

constexpr std::array<std::uint16_t, 12> keys{0x20, 0x25, 0x26, 0x27, 0x28, 0x0D, 0x41, 0x50, 0x53, 0x4E, 0x70, 0x1B};

struct SoakRun {
    SoakRun(bool layered, std::ostream& log) : desktop(clock, layered)
    {
        ApplicationOptions options;
        options.skinDir = DEMO_SKIN_DIR;
        app = std::make_unique<Application>(desktop, clock, audio, options, &log);
        app->preReadConfig();
        app->createMainWindow();
        app->loadConfig();
        app->initAudio();
        app->startScenes();
    }
    ~SoakRun() { app->shutdown(); }

    ManualClock clock;
    HeadlessDesktop desktop;
    NullAudioOutput audio;
    std::unique_ptr<Application> app;
};

class Soak {
public:
    explicit Soak(std::uint32_t seed) : random_(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // One random event of the kinds a person (or the tray, or the audio thread) causes.
    void event(Application& app)
    {
        const int w = app.skin().windowWidth();
        const int h = app.skin().windowHeight();
        switch (pick(0, 11)) {
        case 0: app.mouseMove(pick(-5, w + 5), pick(-5, h + 5), static_cast<std::uint16_t>(pick(0, 1) ? 0 : pick(1, 31))); break;
        case 1: app.mouseDown(pick(0, w), pick(0, h)); break;
        case 2: app.mouseUp(pick(0, w), pick(0, h)); break;
        case 3: app.doubleClick(pick(0, w), pick(0, h)); break;
        case 4: app.keyDown(keys[static_cast<std::size_t>(pick(0, keys.size() - 1))]); break;
        case 5: app.keyUp(keys[static_cast<std::size_t>(pick(0, keys.size() - 1))]); break;
        case 6: app.wheel(pick(0, w), pick(0, h), pick(-2, 2) * 120); break;
        case 7: app.rightDown(); break;
        case 8: app.trayClicked(pick(0, 1) == 1); break;
        case 9: app.focusGained(); break;
        default: {
            // Play comes up often enough that the music runs through most of the hour.
            const std::uint16_t code = pick(0, 3) == 0 ? 0x1001 : actionCodes[static_cast<std::size_t>(pick(0, actionCodes.size() - 1))];
            app.postAction(code, static_cast<std::uint16_t>(pick(0, 1) ? pick(0, 20) : pick(0, 0xFFFF)));
            break;
        }
        }
    }

private:
    std::mt19937 random_;
};

} // namespace

TEST(Soak, AnHourOfRandomInputKeepsThePlayerConsistent)
{
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(DEMO_SKIN_DIR) / "windlecroft.cfg"));
    // Playlist files are named relative to the skin folder, the player's working directory.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(DEMO_SKIN_DIR);
    constexpr std::uint64_t hour = 60 * 60 * 1000;
    Soak soak(20261207);
    std::ostringstream log;
    int restarts = 0;
    std::uint64_t elapsed = 0;
    std::size_t heapAfterWarmUp = 0;
    std::size_t frames = 0;
    std::size_t playingFrames = 0;
    while (elapsed < hour) {
        SoakRun run(soak.pick(0, 3) != 0, log);
        Application& app = *run.app;
        while (elapsed < hour && !app.loopError()) {
            const auto step = static_cast<std::uint64_t>(soak.pick(1, 40) * 10);
            run.clock.advance(step);
            elapsed += step;
            // The audio thread's share: what would have played meanwhile, so tracks end.
            run.audio.renderMilliseconds(static_cast<std::uint32_t>(std::min<std::uint64_t>(step, 200)));
            for (int i = soak.pick(0, 3); i > 0; --i)
                soak.event(app);
            app.tick();
            ++frames;
            if (app.player().mainPlaying())
                ++playingFrames;
            if (app.loopError())
                break;
            // Actions wait only while a page switch is under way. A frame may post some itself (a
            // new page takes the pointer's place, a slider held across the switch moves): the
            // next update carries them out.
            if (!app.actions().empty() && !app.scenes().switchPending())
                app.windowMoved();
            if (app.loopError())
                break;
            ASSERT_TRUE(app.actions().empty() || app.scenes().switchPending()) << "frame " << frames;
            const int count = app.skin().playlist().count();
            const int index = app.player().currentIndex();
            ASSERT_TRUE(count == 0 ? index == 0 : (index >= 0 && index < count)) << index << " of " << count;
            ASSERT_TRUE(app.scenes().currentPage() != nullptr || app.scenes().currentScene() == "empty") << app.scenes().currentScene();
            if (heapMeasurable && frames == 2000)
                heapAfterWarmUp = mallinfo2().uordblks;
        }
        // String-mapping errors are a skin's expected end, not a failure: start again.
        if (app.loopError()) {
            ++restarts;
            const std::string& message = *app.loopError();
            ASSERT_TRUE(message.rfind("string mapping", 0) == 0) << message;
        }
    }
    std::filesystem::current_path(previous);
    // The run is worth little if the music hardly ever played.
    EXPECT_GT(playingFrames, frames / 10);
    RecordProperty("frames", static_cast<int>(frames));
    RecordProperty("restarts", restarts);
    if (heapMeasurable && heapAfterWarmUp > 0) {
        const std::size_t heapNow = mallinfo2().uordblks;
        EXPECT_LT(heapNow, heapAfterWarmUp + 8 * 1024 * 1024) << "heap grew from " << heapAfterWarmUp << " to " << heapNow;
    }
}

#pragma once

#include "app/Application.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/ManualClock.h"
#include "platform/headless/NullAudioOutput.h"
#include "support/TempDir.h"
#include "support/TestSkin.h"

#include <memory>
#include <sstream>

namespace windlecroft::test {

/** Runs a whole Application headless on a test skin, frame by frame on a manual clock. */
class Harness {
public:
    explicit Harness(bool layered = true, bool traceActions = false) : layered_(layered), traceActions_(traceActions) {}

    /** Writes the skin and runs the start-up sequence up to the start of the scenes, offering remote. */
    void start(TestSkin& skin, RemoteControl* remote = nullptr)
    {
        skin.save(dir.path());
        desktop = std::make_unique<HeadlessDesktop>(clock, layered_, ScreenRect{0, 0, 1024, 768});
        ApplicationOptions options;
        options.skinDir = dir.path();
        options.traceActions = traceActions_;
        app = std::make_unique<Application>(*desktop, clock, audio, options, &log);
        if (remote)
            app->setRemoteControl(*remote);
        app->preReadConfig();
        app->createMainWindow();
        app->loadConfig();
        app->initAudio();
        app->startScenes();
    }

    /** Lets ms milliseconds pass as 10 ms frame ticks. */
    void run(std::uint64_t ms)
    {
        for (std::uint64_t t = 0; t < ms; t += 10) {
            clock.advance(10);
            app->tick();
        }
    }

    /** Posts an action and runs one frame. */
    void act(std::uint16_t code, std::uint16_t arg = 0)
    {
        app->postAction(code, arg);
        run(10);
    }

    std::uint32_t pixel(int x, int y) const { return desktop->presentedFrame().pixel(x, y); }

    TempDir dir;
    ManualClock clock;
    NullAudioOutput audio;
    std::ostringstream log;
    std::unique_ptr<HeadlessDesktop> desktop;
    std::unique_ptr<Application> app;

private:
    bool layered_;
    bool traceActions_;
};

// Page colours of the test skins.
inline constexpr TestSkin::PageColours introColours{0x203040, 0x213141, 0x223242};
inline constexpr TestSkin::PageColours dayColours{0xC08000, 0xC08010, 0xFFFF00};
inline constexpr TestSkin::PageColours eveningColours{0x804000, 0x804010, 0x806000};
inline constexpr TestSkin::PageColours nightColours{0x000040, 0x000050, 0x0000FF};
inline constexpr TestSkin::PageColours outroColours{0x404040, 0x414141, 0x424242};

} // namespace windlecroft::test

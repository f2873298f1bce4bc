#pragma once

#include "app/Desktop.h"
#include "platform/headless/InputEvent.h"
#include "resources/Region.h"
#include "resources/Surface.h"

#include <atomic>
#include <optional>
#include <utility>
#include <vector>

namespace windlecroft {

class Clock;

/**
 * A desktop without a screen: it records what the player asks of its window (the frame last
 * presented, the shape) and runs the event loop as a plain 10 ms tick on the given clock.
 * Tests use it with a manual clock; the program uses it for --headless. An input script, when
 * given, is delivered through the same event calls the Qt shell makes, each event when its
 * time has come.
 */
class HeadlessDesktop final : public Desktop {
public:
    struct Window {
        std::string title;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool visible = false;
        bool minimised = false;
    };

    explicit HeadlessDesktop(Clock& clock, bool layered = true, ScreenRect screen = {0, 0, 1920, 1080});

    /** The input the next run() delivers; times count from the start of that run. */
    void setInput(std::vector<InputEvent> events) { input_ = std::move(events); }

    bool supportsLayered() const override { return layered_; }
    ScreenRect screenGeometry() const override { return screen_; }
    void createWindow(const std::string& title, int x, int y, int width, int height) override;
    void showWindow(ShowCommand command) override;
    void destroyWindow() override { window_.reset(); }
    int run(DesktopEvents& events) override;
    void postQuit(int code) override;
    // Scripted time keeps its 10 ms tick; the period the player asked for is only recorded.
    void setTickInterval(int milliseconds) override { tickInterval_ = milliseconds; }
    int tickInterval() const { return tickInterval_; }
    void wakeTick() override { wakes_.fetch_add(1); }
    /**
     * Live frames are taken only when a test says so; it then calls liveFrame() itself, from
     * whatever thread it likes. The period asked for is recorded.
     */
    bool setLiveFrameInterval(int milliseconds) override
    {
        liveFrameInterval_ = takesLiveFrames_ ? milliseconds : EventLoop::noTick;
        return liveFrameInterval_ != EventLoop::noTick;
    }
    void takeLiveFrames(bool take) { takesLiveFrames_ = take; }
    int liveFrameInterval() const { return liveFrameInterval_; }
    /** How often a tick was asked for out of turn (from any thread). */
    int wakes() const { return wakes_.load(); }
    void present(const Surface& frame) override;
    /** Takes over only the damaged rectangles: a change outside them does not reach the window. */
    void present(const Surface& frame, std::span<const Rect> damage) override;
    /** The rectangles of the last damage present; empty after a whole one. */
    const std::vector<Rect>& lastDamage() const { return lastDamage_; }
    void setWindowShape(const Region& region) override { shape_ = region; }
    void clearWindowShape() override { shape_.reset(); }
    void showError(const std::string& message) override { lastError_ = message; }
    void setTranslucent(bool translucent) override { translucent_ = translucent; }
    void setWindowAlpha(std::uint8_t alpha) override { alpha_ = alpha; }
    bool trayAvailable() const override { return trayAvailable_; }
    void showTrayIcon(const std::string& tip, const std::vector<TrayMenuEntry>& menu) override;
    void hideTrayIcon() override { trayShown_ = false; }
    void showTrayMenu() override { ++trayMenuOpened_; }

    bool translucent() const { return translucent_; }
    std::uint8_t windowAlpha() const { return alpha_; }
    bool trayShown() const { return trayShown_; }
    const std::string& trayTip() const { return trayTip_; }
    const std::vector<TrayMenuEntry>& trayMenu() const { return trayMenu_; }
    int trayMenuOpened() const { return trayMenuOpened_; }
    void setTrayAvailable(bool available) { trayAvailable_ = available; }

    const std::optional<Window>& window() const { return window_; }
    const std::string& lastError() const { return lastError_; }
    /** A copy of the frame presented last; empty before the first one. */
    const Surface& presentedFrame() const { return presentedFrame_; }
    int presentCount() const { return presentCount_; }
    /** The window's shape; nothing when it has none. */
    const std::optional<Region>& windowShape() const { return shape_; }

private:
    void deliver(const InputEvent& event, DesktopEvents& events);

    Clock& clock_;
    bool layered_;
    ScreenRect screen_;
    std::optional<Window> window_;
    std::string lastError_;
    Surface presentedFrame_;
    int presentCount_ = 0;
    std::vector<Rect> lastDamage_;
    int tickInterval_ = 10;
    bool takesLiveFrames_ = false;
    int liveFrameInterval_ = EventLoop::noTick;
    std::atomic<int> wakes_{0};
    std::optional<Region> shape_;
    bool translucent_ = false;
    std::uint8_t alpha_ = 255;
    bool trayAvailable_ = true;
    bool trayShown_ = false;
    std::string trayTip_;
    std::vector<TrayMenuEntry> trayMenu_;
    int trayMenuOpened_ = 0;
    bool quitPosted_ = false;
    int quitCode_ = 0;
    std::vector<InputEvent> input_;
    // What the script has held down so far, for the key-state word of mouse moves.
    bool leftDown_ = false;
    bool shiftDown_ = false;
    bool controlDown_ = false;
};

} // namespace windlecroft

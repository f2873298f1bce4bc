#pragma once

#include "app/Desktop.h"
#include "base/PeriodicThread.h"

#include <QTimer>

#include <memory>

namespace windlecroft {

class QtMainWindow;
class QtTrayIcon;

/**
 * The Qt 6 desktop shell: window, frame tick, notification-area icon and message box. Runs on
 * xcb and wayland alike; on X11 it also runs the player's live frames on a thread of their own.
 */
class QtDesktop final : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    bool supportsLayered() const override { return layered_; }
    ScreenRect screenGeometry() const override;
    void createWindow(const std::string& title, int x, int y, int width, int height) override;
    void showWindow(ShowCommand command) override;
    void destroyWindow() override;
    int run(DesktopEvents& events) override;
    void postQuit(int code) override;
    void setTickInterval(int milliseconds) override;
    void wakeTick() override;
    bool setLiveFrameInterval(int milliseconds) override;
    void present(const Surface& frame) override;
    void present(const Surface& frame, std::span<const Rect> damage) override;
    void setWindowShape(const Region& region) override;
    void clearWindowShape() override;
    void setTranslucent(bool translucent) override;
    void setWindowAlpha(std::uint8_t alpha) override;
    bool trayAvailable() const override;
    void showTrayIcon(const std::string& tip, const std::vector<TrayMenuEntry>& menu) override;
    void hideTrayIcon() override;
    void showTrayMenu() override;
    void showError(const std::string& message) override;

    /** The main window, or nullptr before it is created; tests look at it. */
    QtMainWindow* window() const { return window_.get(); }
    const QtTrayIcon& trayIcon() const { return *tray_; }

private:
    bool layered_;
    DesktopEvents* events_ = nullptr;
    // Kept here as well, so that what is asked before the window exists applies once it does.
    bool translucent_ = false;
    std::uint8_t alpha_ = 255;
    std::unique_ptr<QtMainWindow> window_;
    std::unique_ptr<QtTrayIcon> tray_;
    QTimer frameTimer_;
    // Live frames are drawn and put to the X server from here, apart from the event loop; it is
    // stopped before the loop returns.
    PeriodicThread liveFrames_{[this] {
        if (events_)
            events_->liveFrame();
    }};
};

/** Makes Qt's fatal start-up errors (no display to connect to) end the process with status 1. */
void installQtFatalHandler();

} // namespace windlecroft

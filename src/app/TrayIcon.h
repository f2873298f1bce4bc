#pragma once

namespace windlecroft {

class Tray;
class TrayMenu;
class Window;

/**
 * The window's way into the notification area and back. Without a notification area the
 * window could never come back, so it is minimised instead.
 */
class TrayIcon {
public:
    TrayIcon(Tray& tray, Window& window, const TrayMenu& menu) : tray_(tray), window_(window), menu_(menu) {}

    /** Shows the icon with the skin's tip and menu, then hides the window. */
    void toTray();
    /** Hides the icon (when shown), then shows the window. */
    void restore();
    /** Takes the icon away without showing the window, as at shutdown. */
    void remove();

    bool shown() const { return shown_; }

private:
    Tray& tray_;
    Window& window_;
    const TrayMenu& menu_;
    bool shown_ = false;
};

} // namespace windlecroft

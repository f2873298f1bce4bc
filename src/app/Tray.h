#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace windlecroft {

/** One entry of the tray icon's menu. */
struct TrayMenuEntry {
    std::string text; // UTF-8
    std::uint16_t command = 0;
    bool isDefault = false;
};

/** The notification area: the icon the window hides into and its menu. */
class Tray {
public:
    virtual ~Tray() = default;

    /** True when a notification area can show an icon. */
    virtual bool trayAvailable() const = 0;
    /** Shows the notification-area icon with its tip and menu (UTF-8). */
    virtual void showTrayIcon(const std::string& tip, const std::vector<TrayMenuEntry>& menu) = 0;
    virtual void hideTrayIcon() = 0;
    /** Opens the tray menu with its right edge at the pointer. */
    virtual void showTrayMenu() = 0;
};

} // namespace windlecroft

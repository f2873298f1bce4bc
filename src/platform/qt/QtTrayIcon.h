#pragma once

#include "app/Desktop.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include <string>
#include <vector>

namespace windlecroft {

/**
 * The player's icon in the notification area and its menu. Clicks on the icon and the entry
 * chosen from the menu go to the events the desktop currently delivers to.
 */
class QtTrayIcon final {
public:
    explicit QtTrayIcon(DesktopEvents*& events);
    ~QtTrayIcon();
    QtTrayIcon(const QtTrayIcon&) = delete;
    QtTrayIcon& operator=(const QtTrayIcon&) = delete;

    /** True when a notification area is there to show the icon. */
    static bool available();

    /** Shows the icon with this tip (UTF-8); the menu is rebuilt from the entries. */
    void show(const std::string& tip, const std::vector<TrayMenuEntry>& entries);
    void hide();
    /** Opens the menu with its right edge at the pointer. */
    void showMenu();

    bool visible() const { return icon_.isVisible(); }
    /** The icon's place on the screen, empty when the notification area does not tell. */
    QRect geometry() const { return icon_.geometry(); }
    const QMenu& menu() const { return menu_; }

private:
    void rebuildMenu(const std::vector<TrayMenuEntry>& entries);

    DesktopEvents*& events_;
    QSystemTrayIcon icon_;
    QMenu menu_;
};

} // namespace windlecroft

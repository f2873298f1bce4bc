#pragma once

#include "base/Action.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace windlecroft {

class ActionQueue;

/**
 * The notification-area icon's model: whether it is shown, the configured menu items and the
 * menu built from them. The menu always starts with the restore entry, its default; the
 * configured entries follow in the order they were added.
 */
class TrayIcon {
public:
    /** The restore entry's command and its text, "Przywróć" in the Windows-1250 bytes. */
    static constexpr std::uint16_t restoreCommand = 0xFFFC;
    static constexpr const char* restoreText = "Przywr\xF3\xE6";

    struct Item {
        std::string text;
        Action action;
    };
    struct MenuEntry {
        std::string text; // Windows-1250 bytes
        std::uint16_t command;
        bool isDefault;
    };

    TrayIcon();

    void addItem(std::string text, std::uint16_t code, std::uint16_t arg);

    /** Posts what choosing the menu command posts: the restore action, or every item with that code. */
    void command(std::uint16_t id, ActionQueue& queue) const;

    bool shown() const { return shown_; }
    void setShown(bool shown) { shown_ = shown; }

    /** Items newest first. */
    const std::deque<Item>& items() const { return items_; }
    const std::vector<MenuEntry>& menu() const { return menu_; }

private:
    bool shown_ = false;
    std::deque<Item> items_;
    std::vector<MenuEntry> menu_;
};

/** The tip text the tray shows: at most 63 bytes, the size of the system field less its zero. */
std::string trayTipText(const std::string& tip);

} // namespace windlecroft

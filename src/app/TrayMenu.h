#pragma once

#include "base/Action.h"
#include "base/ActionCode.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace windlecroft {

class ActionQueue;

/**
 * What a skin puts into the notification area: the icon's tip and the menu. The menu always
 * starts with the restore entry, its default; the configured entries follow in the order they
 * were added.
 */
class TrayMenu {
public:
    /** The restore entry's command and its text, "Przywróć" in the Windows-1250 bytes. */
    static constexpr std::uint16_t restoreCommand = number(ActionCode::RestoreFromTray);
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

    TrayMenu();

    void addItem(std::string text, std::uint16_t code, std::uint16_t arg);
    void setTip(std::string tip) { tip_ = std::move(tip); }

    /** Posts what choosing the menu command posts: the restore action, or every item with that code. */
    void command(std::uint16_t id, ActionQueue& queue) const;

    /** The tip as the skin gives it (Windows-1250); "Velkor  " until a tray-menu chunk sets it. */
    const std::string& tip() const { return tip_; }
    /** Items newest first. */
    const std::deque<Item>& items() const { return items_; }
    const std::vector<MenuEntry>& menu() const { return menu_; }

private:
    std::string tip_ = "Velkor  ";
    std::deque<Item> items_;
    std::vector<MenuEntry> menu_;
};

/** The longest tip the tray shows: the size of the system field less its zero. */
inline constexpr std::size_t maxTipLength = 63;

/** The tip text the tray shows: at most maxTipLength bytes. */
std::string trayTipText(const std::string& tip);

} // namespace windlecroft

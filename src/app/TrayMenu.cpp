#include "app/TrayMenu.h"

#include "base/ActionQueue.h"

namespace windlecroft {

TrayMenu::TrayMenu()
{
    menu_.push_back({restoreText, restoreCommand, true});
}

void TrayMenu::addItem(std::string text, std::uint16_t code, std::uint16_t arg)
{
    menu_.push_back({text, code, false});
    items_.push_front({std::move(text), {code, arg}});
}

void TrayMenu::command(std::uint16_t id, ActionQueue& queue) const
{
    if (id == restoreCommand) {
        queue.post(restoreCommand, 0);
        return;
    }
    for (const Item& item : items_) {
        if (item.action.code == id)
            queue.post(item.action);
    }
}

std::string trayTipText(const std::string& tip)
{
    return tip.substr(0, maxTipLength);
}

} // namespace windlecroft

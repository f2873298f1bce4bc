#include "app/TrayIcon.h"

#include "app/Tray.h"
#include "app/TrayMenu.h"
#include "app/Window.h"
#include "base/TextEncoding.h"

namespace windlecroft {

void TrayIcon::toTray()
{
    if (!tray_.trayAvailable()) {
        window_.showWindow(ShowCommand::Minimise);
        return;
    }
    std::vector<TrayMenuEntry> entries;
    for (const TrayMenu::MenuEntry& entry : menu_.menu())
        entries.push_back({decodeWindows1250(entry.text), entry.command, entry.isDefault});
    tray_.showTrayIcon(decodeWindows1250(trayTipText(menu_.tip())), entries);
    shown_ = true;
    window_.showWindow(ShowCommand::Hide);
}

void TrayIcon::restore()
{
    remove();
    window_.showWindow(ShowCommand::Show);
}

void TrayIcon::remove()
{
    if (!shown_)
        return;
    tray_.hideTrayIcon();
    shown_ = false;
}

} // namespace windlecroft

// The frame update: every posted action carried out, last posted first, and the page switch
// the playing track asks for.
#include "app/Application.h"

#include "base/Clock.h"
#include "base/TextEncoding.h"

#include <cstdio>
#include <ostream>

namespace windlecroft {

void Application::frameUpdate()
{
    // Posted actions wait while a page switch is under way.
    if (sceneChangePending)
        return;
    pluginContext.pluginCommand() = 0;
    // Actions posted while the loop runs (enter and leave lists, say) are carried out in it too.
    while (auto action = actionQueue.take()) {
        if (options.traceActions) {
            char line[32];
            std::snprintf(line, sizeof line, "action 0x%04X 0x%04X", action->code, action->arg);
            diagnostics_ << line << std::endl;
        }
        carryOut(*action);
        if (Page* page = currentPage())
            page->onAction(action->code, action->arg);
    }
    requestTrackPage();
}

// Each playlist position belongs to one of the panel pages; intro and outro never follow it.
void Application::requestTrackPage()
{
    if (pages.empty() || !onPanelPage())
        return;
    const int index = player.currentIndex();
    if (index < 0 || index >= static_cast<int>(trackScenes.size()))
        return;
    if (trackScenes[static_cast<std::size_t>(index)] != currentScene)
        requestPageSwitch(trackScenes[static_cast<std::size_t>(index)]);
}

// A page the skin does not define is no target: the switch would leave the window on a page
// that draws nothing and takes no input. "empty" is the one name that needs no page: it ends
// the player.
void Application::requestPageSwitch(const std::string& target)
{
    Page* next = pages.find(target);
    if (!next && target != "empty")
        return;
    if (Page* page = currentPage())
        page->leave();
    if (next)
        next->enter();
    sceneChangePending = true;
    nextScene = target;
    transitionStart = clock.now();
}

void Application::startNamedTrack(std::uint16_t mappingIndex)
{
    player.stopSide();
    player.startSide(namedTracks, stringMapping.lookup(mappingIndex));
}

void Application::toTray()
{
    // Without a notification area the window could never come back: minimise it instead.
    if (!desktop.trayAvailable()) {
        desktop.showWindow(ShowCommand::Minimise);
        return;
    }
    std::vector<TrayMenuEntry> menu;
    for (const TrayIcon::MenuEntry& entry : trayIcon.menu())
        menu.push_back({decodeWindows1250(entry.text), entry.command, entry.isDefault});
    desktop.showTrayIcon(decodeWindows1250(trayTipText(trayTip)), menu);
    trayIcon.setShown(true);
    desktop.showWindow(ShowCommand::Hide);
}

void Application::restoreFromTray()
{
    if (trayIcon.shown()) {
        desktop.hideTrayIcon();
        trayIcon.setShown(false);
    }
    desktop.showWindow(ShowCommand::Show);
}

void Application::carryOut(Action action)
{
    const std::uint16_t arg = action.arg;
    switch (action.code) {
    case 0x1001:
        player.playCurrent();
        break;
    case 0x1002:
        player.stopMain();
        break;
    case 0x1003:
        player.playNext();
        break;
    case 0x1004:
        player.playPrevious();
        break;
    case 0x1005:
        player.stepForward();
        break;
    case 0x1006:
        player.stepBack();
        break;
    case 0x1007:
        player.togglePause();
        break;
    case 0x1008:
        player.toggleRepeatOne();
        break;
    case 0x1009:
        player.toggleRandom();
        break;
    case 0x1010:
        player.playIndex(arg);
        break;
    case 0x1011:
        startNamedTrack(arg);
        break;
    case 0x1012:
        player.stopSide();
        break;
    case 0x1013:
        startNamedTrack(arg);
        player.setSideVolume(0);
        player.slideSideVolume(100, musicFadeTime);
        break;
    case 0x1014:
        player.slideSideVolume(-2, musicFadeTime);
        break;
    case 0x1015:
        player.stopMain();
        player.playCurrent();
        player.setMainVolume(0);
        player.slideMainVolume(100, musicFadeTime);
        break;
    case 0x1016:
        player.slideMainVolume(-2, musicFadeTime);
        break;
    case 0x1017:
        player.setMainVolume(arg);
        break;
    case 0x1018:
        player.setSideVolume(arg);
        break;
    case 0x7001:
        pluginContext.pluginCommand() = arg;
        break;
    case 0x8001:
        requestPageSwitch(stringMapping.lookup(arg));
        break;
    case 0xFFFC:
        restoreFromTray();
        break;
    case 0xFFFD:
        toTray();
        break;
    case 0xFFFE:
        desktop.showWindow(ShowCommand::Minimise);
        break;
    case 0xFFFF:
        desktop.postQuit(0);
        break;
    default:
        break;
    }
}

} // namespace windlecroft

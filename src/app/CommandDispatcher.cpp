#include "app/CommandDispatcher.h"

#include "app/EventLoop.h"
#include "app/SceneDirector.h"
#include "app/Skin.h"
#include "app/TrayIcon.h"
#include "app/Window.h"
#include "audio/Player.h"
#include "base/ActionCode.h"
#include "base/ActionQueue.h"
#include "plugins/PluginContext.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace windlecroft {

CommandDispatcher::CommandDispatcher(Parts parts, std::ostream* trace) : parts_(parts), trace_(trace) {}

namespace {

// Bringing the window back and quitting are never held behind a pending page switch: the
// window might otherwise never come back, or never close.
bool neverHeld(Action action)
{
    return action.code == number(ActionCode::RestoreFromTray) || action.code == number(ActionCode::Quit);
}

} // namespace

void CommandDispatcher::update()
{
    // Posted actions wait while a page switch is under way.
    if (parts_.scenes.switchPending()) {
        while (std::optional<Action> action = parts_.actions.takeLast(neverHeld))
            handle(*action);
        return;
    }
    parts_.plugins.pluginCommand() = 0;
    // Actions posted while the loop runs (enter and leave lists, say) are carried out in it too;
    // so are those of a switch that completed at once (the window is in the tray).
    do {
        while (std::optional<Action> action = parts_.actions.take())
            handle(*action);
        parts_.scenes.followTrack(position_);
    } while (!parts_.scenes.switchPending() && !parts_.actions.empty());
}

void CommandDispatcher::handle(Action action)
{
    if (trace_) {
        char line[48];
        std::snprintf(line, sizeof line, "windlecroft: action 0x%04X 0x%04X", action.code, action.arg);
        *trace_ << line << std::endl;
    }
    carryOut(action);
    if (Page* page = parts_.scenes.currentPage()) {
        pageCommand(action);
        page->onAction(action.code, action.arg);
    }
}

void CommandDispatcher::moduleLoading(bool looping)
{
    parts_.actions.post(looping ? ActionCode::LoopingModuleLoaded : ActionCode::ModuleLoaded, 0);
}

void CommandDispatcher::trackAdvanced(int)
{
    parts_.actions.post(ActionCode::TrackAdvanced, 0);
}

void CommandDispatcher::startNamedTrack(std::uint16_t mappingIndex)
{
    parts_.player.stopSide();
    parts_.player.startSide(parts_.skin.namedTracks(), parts_.skin.stringMapping().lookup(mappingIndex));
}

// The player commands that a page's elements give: a seek slider, a choice in the track list.
void CommandDispatcher::pageCommand(Action action)
{
    Page& page = *parts_.scenes.currentPage();
    Player& player = parts_.player;
    if (action.code == number(ActionCode::SliderMoved)) {
        for (const auto& slider : page.sliders()) {
            if (slider->id() != action.arg)
                continue;
            if (action.arg == number(SliderId::Seek))
                player.seekPercent(slider->percent());
            else if (action.arg == number(SliderId::MainVolume))
                player.setMainVolume(static_cast<int>(std::lround(slider->percent())));
            else if (action.arg == number(SliderId::SideVolume))
                player.setSideVolume(static_cast<int>(std::lround(slider->percent())));
        }
    } else if (action.code == number(ActionCode::PlayChosenEntry)) {
        if (const TextList* list = page.textList(); list && list->selected() != player.currentIndex())
            player.playIndex(list->selected());
    }
}

void CommandDispatcher::carryOut(Action action)
{
    Player& player = parts_.player;
    const std::uint16_t musicFade = parts_.skin.timing().musicFadeTime;
    const std::uint16_t arg = action.arg;
    switch (static_cast<ActionCode>(action.code)) {
    case ActionCode::PlayCurrent: player.playCurrent(); break;
    case ActionCode::StopMain: player.stopMain(); break;
    case ActionCode::PlayNext: player.playNext(); break;
    case ActionCode::PlayPrevious: player.playPrevious(); break;
    case ActionCode::StepForward: player.stepForward(); break;
    case ActionCode::StepBack: player.stepBack(); break;
    case ActionCode::TogglePause: player.togglePause(); break;
    case ActionCode::ToggleRepeatOne: player.toggleRepeatOne(); break;
    case ActionCode::ToggleRandom: player.toggleRandom(); break;
    case ActionCode::PlayIndex: player.playIndex(arg); break;
    case ActionCode::PlayNamedTrack: startNamedTrack(arg); break;
    case ActionCode::StopSide: player.stopSide(); break;
    case ActionCode::FadeInNamedTrack:
        startNamedTrack(arg);
        player.setSideVolume(0);
        player.slideSideVolume(100, musicFade);
        break;
    case ActionCode::FadeOutSide: player.slideSideVolume(-2, musicFade); break;
    case ActionCode::RestartMainFadingIn:
        player.stopMain();
        player.playCurrent();
        player.setMainVolume(0);
        player.slideMainVolume(100, musicFade);
        break;
    case ActionCode::FadeOutMain: player.slideMainVolume(-2, musicFade); break;
    case ActionCode::SetMainVolume: player.setMainVolume(arg); break;
    case ActionCode::SetSideVolume: player.setSideVolume(arg); break;
    case ActionCode::SeekTo: player.seekSeconds(arg); break;
    case ActionCode::PluginCommand: parts_.plugins.pluginCommand() = arg; break;
    case ActionCode::SwitchPage: parts_.scenes.requestPageSwitch(parts_.skin.stringMapping().lookup(arg)); break;
    case ActionCode::RestoreFromTray:
        parts_.tray.restore();
        parts_.scenes.setHidden(false);
        break;
    case ActionCode::ToTray:
        parts_.tray.toTray();
        parts_.scenes.setHidden(parts_.tray.shown());
        break;
    case ActionCode::Minimise: parts_.window.showWindow(ShowCommand::Minimise); break;
    case ActionCode::Quit: parts_.loop.postQuit(0); break;
    default: break;
    }
}

} // namespace windlecroft

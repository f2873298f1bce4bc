#include "base/ActionCode.h"

#include <array>

namespace windlecroft {

namespace {

using enum ArgumentKind;

constexpr std::array<ActionInfo, 35> actions{{
    {ActionCode::PlayCurrent, "play", None, "Resumes the paused playlist entry, or starts the current one when nothing plays."},
    {ActionCode::StopMain, "stop", None, "Stops the playlist channel."},
    {ActionCode::PlayNext, "next", None, "Moves to the next playlist entry (a random other one while random order is on)."},
    {ActionCode::PlayPrevious, "previous", None, "Moves to the previous playlist entry."},
    {ActionCode::StepForward, "step-forward", None, "Jumps ten seconds ahead in a stream, one order ahead in a module."},
    {ActionCode::StepBack, "step-back", None, "Jumps ten seconds back in a stream, one order back in a module."},
    {ActionCode::TogglePause, "pause", None, "Pauses or resumes the playlist channel."},
    {ActionCode::ToggleRepeatOne, "repeat", None, "Turns repeating the current entry on or off."},
    {ActionCode::ToggleRandom, "random", None, "Turns random order on or off."},
    {ActionCode::PlayIndex, "play-index", Position, "Starts the playlist entry with the given index."},
    {ActionCode::PlayNamedTrack, "side-play", TrackName, "Plays the named track on the side channel."},
    {ActionCode::StopSide, "side-stop", None, "Stops the side channel."},
    {ActionCode::FadeInNamedTrack, "side-fade-in", TrackName, "Plays the named track on the side channel, fading it in."},
    {ActionCode::FadeOutSide, "side-fade-out", None, "Fades the side channel out and stops it."},
    {ActionCode::RestartMainFadingIn, "main-restart-fade-in", None, "Restarts the current playlist entry and fades it in."},
    {ActionCode::FadeOutMain, "main-fade-out", None, "Fades the playlist channel out and stops it."},
    {ActionCode::SetMainVolume, "main-volume", Number, "Sets the playlist channel's volume (0 to 100)."},
    {ActionCode::SetSideVolume, "side-volume", Number, "Sets the side channel's volume (0 to 100)."},
    {ActionCode::SeekTo, "seek-to", Number, "Moves the playing or paused playlist entry to the given second."},
    {ActionCode::SliderMoved, "slider", Slider, "Announces a slider's new position; elements post it, the page reacts by the id."},
    {ActionCode::PlayChosenEntry, "list-activate", None, "Plays the entry chosen in the page's track list."},
    {ActionCode::ListScrollUp, "list-up", None, "Scrolls the page's track list up one row."},
    {ActionCode::ListScrollDown, "list-down", None, "Scrolls the page's track list down one row."},
    {ActionCode::TrackAdvanced, "track-advanced", None, "Posted by the player after it moved to the next entry by itself; the track list follows."},
    {ActionCode::ViewerScrollUp, "viewer-up", None, "Scrolls the page's document viewer up."},
    {ActionCode::ViewerScrollDown, "viewer-down", None, "Scrolls the page's document viewer down."},
    {ActionCode::ViewerClose, "viewer-close", None, "Closes the open document and shows the viewer's title list again."},
    {ActionCode::LoopingModuleLoaded, "module-looped", None, "Posted when a looping module starts; lights the \"modulelooped\" indicators."},
    {ActionCode::ModuleLoaded, "module-unlooped", None, "Posted when a module that does not loop starts; darkens the \"modulelooped\" indicators."},
    {ActionCode::PluginCommand, "plugin-command", Number, "Hands the value to the plugins for the frame that follows."},
    {ActionCode::SwitchPage, "switch-page", PageName, "Switches to the named page."},
    {ActionCode::RestoreFromTray, "restore", None, "Takes the window back from the notification area and shows it."},
    {ActionCode::ToTray, "to-tray", None, "Hides the window behind an icon in the notification area."},
    {ActionCode::Minimise, "minimise", None, "Minimises the window."},
    {ActionCode::Quit, "quit", None, "Closes the window and ends the program."},
}};

constexpr std::array<SliderInfo, 5> sliders{{
    {SliderId::Seek, "seek"},
    {SliderId::ListScroll, "list-scroll"},
    {SliderId::ViewerScroll, "viewer-scroll"},
    {SliderId::MainVolume, "main-volume"},
    {SliderId::SideVolume, "side-volume"},
}};

} // namespace

std::span<const ActionInfo> actionTable()
{
    return actions;
}

const ActionInfo* findAction(std::string_view name)
{
    for (const ActionInfo& action : actions) {
        if (action.name == name)
            return &action;
    }
    return nullptr;
}

const ActionInfo* findAction(std::uint16_t code)
{
    for (const ActionInfo& action : actions) {
        if (number(action.code) == code)
            return &action;
    }
    return nullptr;
}

std::span<const SliderInfo> sliderTable()
{
    return sliders;
}

std::optional<std::uint16_t> findSliderId(std::string_view name)
{
    for (const SliderInfo& slider : sliders) {
        if (slider.name == name)
            return number(slider.id);
    }
    return std::nullopt;
}

std::optional<std::string_view> sliderName(std::uint16_t id)
{
    for (const SliderInfo& slider : sliders) {
        if (number(slider.id) == id)
            return slider.name;
    }
    return std::nullopt;
}

} // namespace windlecroft

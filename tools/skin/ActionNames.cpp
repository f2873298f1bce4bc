#include "skin/ActionNames.h"

#include <array>

namespace windlecroft::skin {

namespace {

using enum ArgumentKind;

constexpr std::array<ActionName, 34> actions{{
    {0x1001, "play", None, "Resumes the paused playlist entry, or starts the current one when nothing plays."},
    {0x1002, "stop", None, "Stops the playlist channel."},
    {0x1003, "next", None, "Moves to the next playlist entry (a random other one while random order is on)."},
    {0x1004, "previous", None, "Moves to the previous playlist entry."},
    {0x1005, "step-forward", None, "Jumps ten seconds ahead in a stream, one order ahead in a module."},
    {0x1006, "step-back", None, "Jumps ten seconds back in a stream, one order back in a module."},
    {0x1007, "pause", None, "Pauses or resumes the playlist channel."},
    {0x1008, "repeat", None, "Turns repeating the current entry on or off."},
    {0x1009, "random", None, "Turns random order on or off."},
    {0x1010, "play-index", Position, "Starts the playlist entry with the given index."},
    {0x1011, "side-play", TrackName, "Plays the named track on the side channel."},
    {0x1012, "side-stop", None, "Stops the side channel."},
    {0x1013, "side-fade-in", TrackName, "Plays the named track on the side channel, fading it in."},
    {0x1014, "side-fade-out", None, "Fades the side channel out and stops it."},
    {0x1015, "main-restart-fade-in", None, "Restarts the current playlist entry and fades it in."},
    {0x1016, "main-fade-out", None, "Fades the playlist channel out and stops it."},
    {0x1017, "main-volume", Number, "Sets the playlist channel's volume (0 to 100)."},
    {0x1018, "side-volume", Number, "Sets the side channel's volume (0 to 100)."},
    {0x2000, "slider", SliderId, "Announces a slider's new position; elements post it, the page reacts by the id."},
    {0x4000, "list-activate", None, "Plays the entry chosen in the page's track list."},
    {0x4001, "list-up", None, "Scrolls the page's track list up one row."},
    {0x4002, "list-down", None, "Scrolls the page's track list down one row."},
    {0x4003, "track-advanced", None, "Posted by the player after it moved to the next entry by itself; the track list follows."},
    {0x5001, "viewer-up", None, "Scrolls the page's document viewer up."},
    {0x5002, "viewer-down", None, "Scrolls the page's document viewer down."},
    {0x5003, "viewer-close", None, "Closes the open document and shows the viewer's title list again."},
    {0x6001, "module-looped", None, "Posted when a looping module starts; lights the \"modulelooped\" indicators."},
    {0x6002, "module-unlooped", None, "Posted when a module that does not loop starts; darkens the \"modulelooped\" indicators."},
    {0x7001, "plugin-command", Number, "Hands the value to the plugins for the frame that follows."},
    {0x8001, "switch-page", PageName, "Switches to the named page."},
    {0xFFFC, "restore", None, "Takes the window back from the notification area and shows it."},
    {0xFFFD, "to-tray", None, "Hides the window behind an icon in the notification area."},
    {0xFFFE, "minimise", None, "Minimises the window."},
    {0xFFFF, "quit", None, "Closes the window and ends the program."},
}};

constexpr std::array<SliderIdName, 3> sliderIds{{
    {0x2001, "seek"},
    {0x2002, "list-scroll"},
    {0x2003, "viewer-scroll"},
}};

} // namespace

std::span<const ActionName> actionNames()
{
    return actions;
}

const ActionName* findActionByName(std::string_view name)
{
    for (const ActionName& action : actions) {
        if (action.name == name)
            return &action;
    }
    return nullptr;
}

const ActionName* findActionByCode(std::uint16_t code)
{
    for (const ActionName& action : actions) {
        if (action.code == code)
            return &action;
    }
    return nullptr;
}

std::span<const SliderIdName> sliderIdNames()
{
    return sliderIds;
}

std::optional<std::uint16_t> sliderIdByName(std::string_view name)
{
    for (const SliderIdName& slider : sliderIds) {
        if (slider.name == name)
            return slider.id;
    }
    return std::nullopt;
}

std::optional<std::string_view> sliderIdName(std::uint16_t id)
{
    for (const SliderIdName& slider : sliderIds) {
        if (slider.id == id)
            return slider.name;
    }
    return std::nullopt;
}

} // namespace windlecroft::skin

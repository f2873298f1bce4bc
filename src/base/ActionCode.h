#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace windlecroft {

/**
 * Every action code the player, its pages and its plugins know. Skins store the numbers; the
 * code names them. Codes between these are posted by skins too and reach the pages' reactions
 * unchanged.
 */
enum class ActionCode : std::uint16_t {
    PlayCurrent = 0x1001,
    StopMain = 0x1002,
    PlayNext = 0x1003,
    PlayPrevious = 0x1004,
    StepForward = 0x1005,
    StepBack = 0x1006,
    TogglePause = 0x1007,
    ToggleRepeatOne = 0x1008,
    ToggleRandom = 0x1009,
    PlayIndex = 0x1010,
    PlayNamedTrack = 0x1011,
    StopSide = 0x1012,
    FadeInNamedTrack = 0x1013,
    FadeOutSide = 0x1014,
    RestartMainFadingIn = 0x1015,
    FadeOutMain = 0x1016,
    SetMainVolume = 0x1017,
    SetSideVolume = 0x1018,
    SeekTo = 0x1019,
    SliderMoved = 0x2000,
    PlayChosenEntry = 0x4000,
    ListScrollUp = 0x4001,
    ListScrollDown = 0x4002,
    TrackAdvanced = 0x4003,
    ViewerScrollUp = 0x5001,
    ViewerScrollDown = 0x5002,
    ViewerClose = 0x5003,
    LoopingModuleLoaded = 0x6001,
    ModuleLoaded = 0x6002,
    PluginCommand = 0x7001,
    SwitchPage = 0x8001,
    RestoreFromTray = 0xFFFC,
    ToTray = 0xFFFD,
    Minimise = 0xFFFE,
    Quit = 0xFFFF,
};

/** The slider ids the pages react to; the argument of ActionCode::SliderMoved. */
enum class SliderId : std::uint16_t {
    Seek = 0x2001,
    ListScroll = 0x2002,
    ViewerScroll = 0x2003,
    // The live skins' volume sliders: a percent of the volume.
    MainVolume = 0x2004,
    SideVolume = 0x2005,
};

constexpr std::uint16_t number(ActionCode code) { return static_cast<std::uint16_t>(code); }
constexpr std::uint16_t number(SliderId id) { return static_cast<std::uint16_t>(id); }

/** What an action's argument means, which decides how a skin source may write it. */
enum class ArgumentKind {
    None,      // not used
    Number,    // a plain number (volume, plugin value)
    Position,  // a playlist position
    PageName,  // a string-mapping index whose text is a page name
    TrackName, // a string-mapping index whose text is a named track
    Slider,    // a slider id
};

/** One row of the action table: its code, its name in skin sources and traces, its argument. */
struct ActionInfo {
    ActionCode code;
    std::string_view name;
    ArgumentKind argument;
    /** One sentence for the documentation and the skin tool's help. */
    std::string_view meaning;
};

/** Every action code, in code order. */
std::span<const ActionInfo> actionTable();
const ActionInfo* findAction(std::string_view name);
const ActionInfo* findAction(std::uint16_t code);

struct SliderInfo {
    SliderId id;
    std::string_view name;
};
std::span<const SliderInfo> sliderTable();
std::optional<std::uint16_t> findSliderId(std::string_view name);
std::optional<std::string_view> sliderName(std::uint16_t id);

} // namespace windlecroft

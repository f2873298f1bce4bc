#pragma once

#include <cstddef>
#include <string_view>

namespace windlecroft::skin {

/**
 * Names and limits the player gives a meaning of its own, which the check compares a skin with.
 */
namespace conventions {

inline constexpr std::string_view panelMask = "Data\\panel.rgn";
inline constexpr std::string_view introMask = "Data\\intro.rgn";
inline constexpr std::string_view outroMask = "Data\\outro.rgn";
/** A switch to this name needs no page: it ends the player. */
inline constexpr std::string_view endScene = "empty";
/** The title of the playing entry is drawn in the font of this name. */
inline constexpr std::string_view titleFont = "font";
/** Playlist positions that switch panel pages and have a title slot. */
inline constexpr std::size_t trackScenes = 17;
inline constexpr std::size_t maxTipLength = 63;
inline constexpr std::size_t maxFaceLength = 31;

/** The panel page the playlist position switches to: 0–6 "dzien", 7–12 "wieczor", 13–16 "noc". */
constexpr std::string_view sceneForTrack(std::size_t position)
{
    return position <= 6 ? "dzien" : position <= 12 ? "wieczor" : "noc";
}

/**
 * The mask the player whitens a JPEG picture with where the window can be translucent, chosen by
 * the letter after "Data\": the initial of the page the picture belongs to. Empty for none.
 */
constexpr std::string_view whiteningMask(std::string_view pictureName)
{
    if (pictureName.size() < 6)
        return {};
    switch (pictureName[5]) {
    case 'd':
    case 'n':
    case 'w':
        return panelMask;
    case 'i':
        return introMask;
    case 'o':
        return outroMask;
    default:
        return {};
    }
}

/** Whether the indicator state is one the player switches. */
constexpr bool isIndicatorState(std::string_view state)
{
    return state == "musiclooped" || state == "musicrandom" || state == "modulelooped";
}

} // namespace conventions

} // namespace windlecroft::skin

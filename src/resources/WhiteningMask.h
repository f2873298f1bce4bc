#pragma once

#include <string_view>

namespace windlecroft {

/** The window-shape masks of the archive the player knows by name. */
namespace mask {
inline constexpr std::string_view panel = "Data\\panel.rgn";
inline constexpr std::string_view intro = "Data\\intro.rgn";
inline constexpr std::string_view outro = "Data\\outro.rgn";
} // namespace mask

/**
 * The mask a JPEG picture is whitened with where the window can be translucent, chosen by the
 * sixth character of its name, the first after "Data\": the initial of the page the picture
 * belongs to (dzien, noc, wieczor, intro, outro). Empty for none.
 */
constexpr std::string_view whiteningMaskFor(std::string_view pictureName)
{
    if (pictureName.size() < 6)
        return {};
    switch (pictureName[5]) {
    case 'd':
    case 'n':
    case 'w':
        return mask::panel;
    case 'i':
        return mask::intro;
    case 'o':
        return mask::outro;
    default:
        return {};
    }
}

} // namespace windlecroft

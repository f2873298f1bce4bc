#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace windlecroft {

/** The scenes the player gives names of its own. */
namespace scene {
inline constexpr std::string_view intro = "intro";
inline constexpr std::string_view outro = "outro";
/** A switch to this name needs no page: it ends the player. */
inline constexpr std::string_view end = "empty";
} // namespace scene

/** The font the title of the playing entry is drawn in. */
inline constexpr std::string_view titleFontName = "font";

/**
 * The panel page each of the first 17 playlist positions belongs to: 0–6 "dzien", 7–12
 * "wieczor", 13–16 "noc". Other positions switch no page.
 */
class TrackScenes {
public:
    static constexpr std::size_t count = 17;

    static constexpr std::string_view sceneFor(std::size_t position)
    {
        return position <= 6 ? "dzien" : position <= 12 ? "wieczor" : "noc";
    }

    TrackScenes()
    {
        for (std::size_t i = 0; i < count; ++i)
            scenes_[i] = std::string(sceneFor(i));
    }

    /** The page of the position, or nullptr for one outside the table. */
    const std::string* at(int position) const
    {
        if (position < 0 || position >= static_cast<int>(count))
            return nullptr;
        return &scenes_[static_cast<std::size_t>(position)];
    }
    const std::string& operator[](std::size_t position) const { return scenes_[position]; }

private:
    std::array<std::string, count> scenes_;
};

} // namespace windlecroft

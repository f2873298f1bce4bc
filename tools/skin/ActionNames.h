#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace windlecroft::skin {

/** What an action's argument means, which decides how the source may write it. */
enum class ArgumentKind {
    None,      // not used; the source writes only the name
    Number,    // a plain number (volume, plugin value)
    Position,  // a playlist position, or the name of the playlist entry there
    PageName,  // a string-mapping index whose text is a page name
    TrackName, // a string-mapping index whose text is a named track
    SliderId,  // a slider id: seek, list-scroll, viewer-scroll or a number
};

struct ActionName {
    std::uint16_t code;
    std::string_view name;
    ArgumentKind argument;
    /** One sentence for the documentation and the tool's help. */
    std::string_view meaning;
};

/** Every action code the player and its pages know, in code order. */
std::span<const ActionName> actionNames();
const ActionName* findActionByName(std::string_view name);
const ActionName* findActionByCode(std::uint16_t code);

/** The slider ids the pages react to. */
struct SliderIdName {
    std::uint16_t id;
    std::string_view name;
};
std::span<const SliderIdName> sliderIdNames();
std::optional<std::uint16_t> sliderIdByName(std::string_view name);
std::optional<std::string_view> sliderIdName(std::uint16_t id);

} // namespace windlecroft::skin

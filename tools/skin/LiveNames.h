#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace windlecroft::skin {

// The names the source gives the values of the live records: list-style targets, live-slider
// sources, live-text kinds and alignments, each in the order of its number in the file.
inline constexpr std::array<std::string_view, 2> listTargetNames{"list", "viewer"};
inline constexpr std::array<std::string_view, 6> liveSourceNames{"own",         "main-position", "main-volume",
                                                                 "side-volume", "list-scroll",   "viewer-scroll"};
inline constexpr std::array<std::string_view, 8> liveTextNames{
    "elapsed", "remaining", "length", "elapsed-of-length", "entry-name", "position-of-count", "main-volume", "side-volume"};
inline constexpr std::array<std::string_view, 3> alignNames{"left", "centre", "right"};

/** The number of a name in one of the tables above; nothing for a name it does not hold. */
template <std::size_t N>
std::optional<std::uint8_t> indexOfName(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == name)
            return static_cast<std::uint8_t>(i);
    }
    return std::nullopt;
}

/** A colour of the file (0x00BBGGRR) as the source writes it, "#RRGGBB", and back. */
std::string colourText(std::uint32_t colour);
std::optional<std::uint32_t> colourFromText(std::string_view text);

} // namespace windlecroft::skin

#pragma once

#include <cstdint>

namespace windlecroft::chunk {

// Top-level chunk kinds of the skin configuration.
inline constexpr std::uint16_t root = 0x0258;
inline constexpr std::uint16_t tracklist = 0x1000;
inline constexpr std::uint16_t trayMenu = 0x2000;
inline constexpr std::uint16_t fontFile = 0x3010;
inline constexpr std::uint16_t font = 0x3020;
inline constexpr std::uint16_t startScene = 0x3030;
inline constexpr std::uint16_t timing = 0x3040;
inline constexpr std::uint16_t page = 0x4000;
inline constexpr std::uint16_t stringMapping = 0x5000;
inline constexpr std::uint16_t plugin = 0x6000;

/** Every chunk and element record starts with a u16 id and a u32 length that includes these 6 bytes. */
inline constexpr std::uint32_t headerSize = 6;

} // namespace windlecroft::chunk

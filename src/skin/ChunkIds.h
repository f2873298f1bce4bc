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

} // namespace windlecroft::chunk

namespace windlecroft::record {

// Element records inside a page chunk.
inline constexpr std::uint16_t button = 0x4010;
inline constexpr std::uint16_t keyBinding = 0x4020;
inline constexpr std::uint16_t indicator = 0x4030;
inline constexpr std::uint16_t backgroundAction = 0x4040;
inline constexpr std::uint16_t rightClickAction = 0x4050;
inline constexpr std::uint16_t enterAction = 0x4060;
inline constexpr std::uint16_t leaveAction = 0x4070;
inline constexpr std::uint16_t textList = 0x4080;
inline constexpr std::uint16_t slider = 0x4090;
inline constexpr std::uint16_t textViewer = 0x4100;
inline constexpr std::uint16_t textBlock = 0x4110;
inline constexpr std::uint16_t pageTimer = 0x4120;
inline constexpr std::uint16_t pagePlugin = 0x4130;
inline constexpr std::uint16_t wheelZone = 0x4140;

// Records of the live skins' extension: older readers skip them by their length.
inline constexpr std::uint16_t listStyle = 0x4210;
inline constexpr std::uint16_t liveSlider = 0x4220;
inline constexpr std::uint16_t liveText = 0x4230;
inline constexpr std::uint16_t livePlugin = 0x4240;

} // namespace windlecroft::record

namespace windlecroft::chunk {

/** Every chunk and element record starts with a u16 id and a u32 length that includes these 6 bytes. */
inline constexpr std::uint32_t headerSize = 6;

} // namespace windlecroft::chunk

#pragma once

#include <cstdint>

namespace windlecroft {

/** What a live slider's knob follows while it is not dragged. */
enum class LiveSource : std::uint8_t {
    OwnValue = 0,
    MainPosition = 1,
    MainVolume = 2,
    SideVolume = 3,
    ListScroll = 4,
    ViewerScroll = 5,
};
inline constexpr std::uint8_t liveSourceCount = 6;

/** What a live text shows. */
enum class LiveTextKind : std::uint8_t {
    Elapsed = 0,           // m:ss
    Remaining = 1,         // -m:ss
    Length = 2,            // m:ss
    ElapsedOfLength = 3,   // "m:ss / m:ss"
    EntryName = 4,         // the playing entry's name
    PositionOfCount = 5,   // "position / count", counted from 1
    MainVolume = 6,        // "80%"
    SideVolume = 7,        // "80%"
};
inline constexpr std::uint8_t liveTextKindCount = 8;

enum class TextAlign : std::uint8_t { Left = 0, Centre = 1, Right = 2 };
inline constexpr std::uint8_t textAlignCount = 3;

/** The colours a text list or a text viewer is drawn with (0x00BBGGRR, as the title's). */
struct ListStyle {
    std::uint32_t text = 0;
    std::uint32_t selected = 0;
    std::uint32_t playing = 0;
    std::uint32_t hover = 0;
    /** The bar under the selected row; noBar for none. */
    std::uint32_t bar = 0;
    static constexpr std::uint32_t noBar = 0xFFFFFFFF;
};

/** A skin colour 0x00BBGGRR as a pixel 0x00RRGGBB. */
constexpr std::uint32_t pixelOf(std::uint32_t colour)
{
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

} // namespace windlecroft

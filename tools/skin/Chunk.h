#pragma once

#include "skin/ElementRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace windlecroft::skin {

struct TrackEntry {
    std::string name;
    std::string file;
};

/** Type 0 holds named tracks (archive entries), type 1 the playlist (files on disk). */
struct TracklistChunk {
    std::uint8_t type = 0;
    std::vector<TrackEntry> tracks;
};

struct TrayItem {
    std::string text;
    Action action;
};

struct TrayMenuChunk {
    std::string tip;
    std::vector<TrayItem> items;
};

struct FontFileChunk {
    std::string file;
};

struct FontChunk {
    std::string name;
    std::string face;
    std::uint16_t weight = 400;
    std::uint8_t height = 0;
    std::array<std::uint32_t, 4> values{};
};

struct StartSceneChunk {
    std::string scene;
};

/** Durations in milliseconds and the highlight step; 0 leaves the player's value unchanged. */
struct TimingChunk {
    std::uint16_t crossFade = 0;
    std::uint16_t musicFade = 0;
    std::uint16_t highlight = 0;
};

struct PageChunk {
    std::string name;
    std::string normalImage;
    std::string pressedImage;
    std::string highlightImage;
    std::string reserved;
    std::uint8_t crossFade = 0;
    std::vector<ElementRecord> records;
};

struct MappingEntry {
    std::string text;
    std::uint16_t index = 0;
};

/** The table size equals the number of entries; entries may come in any index order. */
struct StringMappingChunk {
    std::vector<MappingEntry> entries;
};

struct PluginChunk {
    std::string name;
    std::string file;
};

/** A top-level chunk of a kind the player does not know: kept as its id and payload bytes. */
struct RawChunk {
    std::uint16_t id = 0;
    std::vector<std::uint8_t> payload;
};

/**
 * One top-level chunk of the configuration. `length` holds the length field only when it
 * differs from the chunk's true size.
 */
struct Chunk {
    using Body = std::variant<TracklistChunk, TrayMenuChunk, FontFileChunk, FontChunk, StartSceneChunk, TimingChunk,
                              PageChunk, StringMappingChunk, PluginChunk, RawChunk>;
    Body body;
    std::optional<std::uint32_t> length;

    /** The chunk id written in the header. */
    std::uint16_t id() const;
};

} // namespace windlecroft::skin

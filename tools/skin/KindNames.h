#pragma once

#include "skin/SkinRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace windlecroft::skin {

/**
 * The names the source and the messages use for chunk and record kinds: "page", "font",
 * "button", "slider", ... A chunk or record of an unknown id is "raw". Tracklists are
 * "named-tracks" (type 0), "playlist" (type 1) or "tracklist" (any other type).
 */
std::string_view chunkKindName(const Chunk& chunk);
std::string_view recordKindName(const ElementRecord& record);

/** The record id of an action-list record kind ("background-action", ...), or nothing. */
std::optional<std::uint16_t> actionListIdFor(std::string_view kind);

/** A chunk as messages name it: `page "noc"`, `font "font"`, `raw 0x7000`, `timing`. */
std::string chunkLabel(const Chunk& chunk);
/** A record as messages name it: `button`, `raw 0x4150`. */
std::string recordLabel(const ElementRecord& record);

} // namespace windlecroft::skin

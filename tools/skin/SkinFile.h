#pragma once

#include "skin/Chunk.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::skin {

/**
 * A whole configuration file as a tree: the root's title and window size, the top-level
 * chunks in file order, and the bytes after the root chunk that the player never reads.
 * Writing the tree gives back the bytes it was read from.
 */
struct SkinFile {
    std::string title;
    std::uint16_t width = 640;
    std::uint16_t height = 480;
    std::vector<Chunk> chunks;
    /** The root's length field when it differs from the root's true size. */
    std::optional<std::uint32_t> length;
    std::vector<std::uint8_t> trailing;
};

} // namespace windlecroft::skin

#pragma once

#include <cstdint>

namespace windlecroft {

class Application;
class ByteReader;

/** What a chunk reader receives: the input positioned after the chunk header, and the chunk's length. */
struct ChunkContext {
    ByteReader& in;
    Application& app;
    std::uint32_t length;
};

using ChunkReader = void (*)(ChunkContext&);

/** The reader for a top-level chunk id, or nullptr for ids that are skipped by their length. */
ChunkReader chunkReaderFor(std::uint16_t id);

} // namespace windlecroft

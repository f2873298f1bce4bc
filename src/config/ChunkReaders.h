#pragma once

namespace windlecroft {

struct ChunkContext;

// One reader per top-level chunk kind; each consumes exactly its payload's fields.
void readTrayMenuChunk(ChunkContext& chunk);
void readPluginChunk(ChunkContext& chunk);

} // namespace windlecroft

#pragma once

namespace windlecroft {

struct ChunkContext;

// One reader per top-level chunk kind; each consumes exactly its payload's fields.
void readTracklistChunk(ChunkContext& chunk);
void readTrayMenuChunk(ChunkContext& chunk);
void readFontFileChunk(ChunkContext& chunk);
void readFontChunk(ChunkContext& chunk);
void readPageChunk(ChunkContext& chunk);
void readPluginChunk(ChunkContext& chunk);

} // namespace windlecroft

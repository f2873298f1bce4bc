#include "skin/Chunk.h"

#include "config/ChunkIds.h"

namespace windlecroft::skin {

namespace {

struct ChunkId {
    std::uint16_t operator()(const TracklistChunk&) const { return chunk::tracklist; }
    std::uint16_t operator()(const TrayMenuChunk&) const { return chunk::trayMenu; }
    std::uint16_t operator()(const FontFileChunk&) const { return chunk::fontFile; }
    std::uint16_t operator()(const FontChunk&) const { return chunk::font; }
    std::uint16_t operator()(const StartSceneChunk&) const { return chunk::startScene; }
    std::uint16_t operator()(const TimingChunk&) const { return chunk::timing; }
    std::uint16_t operator()(const PageChunk&) const { return chunk::page; }
    std::uint16_t operator()(const StringMappingChunk&) const { return chunk::stringMapping; }
    std::uint16_t operator()(const PluginChunk&) const { return chunk::plugin; }
    std::uint16_t operator()(const RawChunk& c) const { return c.id; }
};

} // namespace

std::uint16_t Chunk::id() const
{
    return std::visit(ChunkId{}, body);
}

} // namespace windlecroft::skin

#include "config/ChunkDispatch.h"

#include "app/Application.h"
#include "config/ByteReader.h"
#include "config/ChunkIds.h"
#include "config/ChunkReaders.h"
#include "config/StringMapping.h"

#include <array>
#include <utility>

namespace windlecroft {

namespace {

void readStartSceneChunk(ChunkContext& chunk)
{
    chunk.app.currentScene = chunk.in.string();
}

// A field of 0 leaves its value unchanged, so a timing chunk never sets a duration to 0.
void readTimingChunk(ChunkContext& chunk)
{
    for (std::uint16_t* value : {&chunk.app.crossFadeTime, &chunk.app.musicFadeTime, &chunk.app.highlightStep}) {
        const std::uint16_t read = chunk.in.u16();
        if (read != 0)
            *value = read;
    }
}

void readStringMapping(ChunkContext& chunk)
{
    readStringMappingChunk(chunk.in, chunk.app.stringMapping);
}

constexpr std::array<std::pair<std::uint16_t, ChunkReader>, 9> readers{{
    {chunk::tracklist, readTracklistChunk},
    {chunk::trayMenu, readTrayMenuChunk},
    {chunk::fontFile, readFontFileChunk},
    {chunk::font, readFontChunk},
    {chunk::page, readPageChunk},
    {chunk::plugin, readPluginChunk},
    {chunk::startScene, readStartSceneChunk},
    {chunk::timing, readTimingChunk},
    {chunk::stringMapping, readStringMapping},
}};

} // namespace

ChunkReader chunkReaderFor(std::uint16_t id)
{
    for (const auto& [readerId, reader] : readers) {
        if (readerId == id)
            return reader;
    }
    return nullptr;
}

} // namespace windlecroft

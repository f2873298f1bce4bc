#include "app/Application.h"
#include "config/ByteReader.h"
#include "config/ChunkDispatch.h"
#include "config/ChunkReaders.h"
#include "plugins/Plugin.h"

namespace windlecroft {

// The plugin is loaded at once; the scenes start it later.
void readPluginChunk(ChunkContext& chunk)
{
    std::string name = chunk.in.string();
    const std::string file = chunk.in.string();
    const ApplicationOptions& options = chunk.app.options;
    chunk.app.plugins.add(std::move(name), Plugin::load(file, {options.skinDir, options.pluginDir}));
}

} // namespace windlecroft

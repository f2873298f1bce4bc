#include "app/Application.h"
#include "base/Error.h"
#include "config/ByteReader.h"
#include "config/ChunkDispatch.h"
#include "config/ChunkReaders.h"
#include "resources/Font.h"
#include "base/SkinLimits.h"

namespace windlecroft {

// Installs a font file from the archive for the player's lifetime. Each keeps a copy of its
// bytes in memory, so a skin may install only so many.
void readFontFileChunk(ChunkContext& chunk)
{
    const std::string file = chunk.in.string();
    Application& app = chunk.app;
    if (app.installedFonts.size() >= maxSkinFontFiles)
        throw Error("config file corrupted, too many font files");
    app.installedFonts.install(app.fontCatalog, app.archive, file);
}

// Note the order: the weight (two bytes) comes before the height (one byte). A skin may
// define only so many fonts; each opens its face when first used.
void readFontChunk(ChunkContext& chunk)
{
    ByteReader& in = chunk.in;
    std::string name = in.string();
    const std::string face = in.string();
    const std::uint16_t weight = in.u16();
    const std::uint8_t height = in.u8();
    std::uint32_t values[4] = {0, 0, 0, 0};
    for (auto& value : values)
        in.readU32(value);
    Application& app = chunk.app;
    if (app.fonts.size() >= maxSkinFonts)
        throw Error("config file corrupted, too many fonts");
    app.fonts.add(std::move(name), std::make_unique<Font>(app.fontCatalog, face, height, weight, values[0], values[1],
                                                          values[2], values[3]));
}

} // namespace windlecroft

#include "config/SkinConfigLoader.h"

#include "app/Application.h"
#include "base/Error.h"
#include "base/RegularFile.h"
#include "base/SkinLimits.h"
#include "config/ByteReader.h"
#include "config/ChunkDispatch.h"
#include "config/ChunkIds.h"
#include "resources/PictureLimits.h"

#include <string>
#include <vector>

namespace windlecroft {

namespace {

// A folder, FIFO or device of that name, or a file beyond any real configuration's size, is no
// configuration the player can open.
std::vector<std::uint8_t> readConfigFile(const std::filesystem::path& path)
{
    std::optional<std::vector<std::uint8_t>> bytes = readRegularFile(path, maxConfigBytes);
    if (!bytes)
        throw Error("can't open config file");
    return std::move(*bytes);
}

// Reads the root header, title, width and height; returns the offset where the root ends.
std::uint64_t readRoot(ByteReader& in, Application& app)
{
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    in.readU16(id);
    in.readU32(length);
    if (id != chunk::root)
        throw Error("config file corrupted, first chunk should be 0x0258");
    app.windowTitle = in.string();
    std::uint16_t width = static_cast<std::uint16_t>(app.windowWidth);
    std::uint16_t height = static_cast<std::uint16_t>(app.windowHeight);
    in.readU16(width);
    in.readU16(height);
    if (in.ranOut())
        throw Error("config file corrupted, unexpected end of file");
    if (static_cast<std::int64_t>(width) * height > maxWindowPixels)
        throw Error("config file corrupted, window of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels is too large");
    app.windowWidth = width;
    app.windowHeight = height;
    return length;
}

} // namespace

void preReadSkinConfig(const std::filesystem::path& configPath, Application& app)
{
    std::vector<std::uint8_t> bytes = readConfigFile(configPath);
    ByteReader in(bytes);
    readRoot(in, app);
}

void loadSkinConfig(const std::filesystem::path& configPath, const std::filesystem::path& dataPath, Application& app)
{
    app.archive.open(dataPath);
    std::vector<std::uint8_t> bytes = readConfigFile(configPath);
    walkSkinConfig(bytes, app);
}

void walkSkinConfig(std::span<const std::uint8_t> config, Application& app)
{
    ByteReader in(config);
    const std::uint64_t end = readRoot(in, app);
    while (in.position() < end) {
        // The root claims more than the file holds: stop rather than build from a header
        // that is not there.
        if (in.atEnd())
            throw Error("config file corrupted, unexpected end of file");
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        in.readU16(id);
        in.readU32(length);
        if (in.ranOut())
            throw Error("config file corrupted, unexpected end of file");
        if (ChunkReader reader = chunkReaderFor(id)) {
            ChunkContext context{in, app, length};
            reader(context);
            continue;
        }
        // A length below the header's own size would move the walk backwards for ever.
        if (length < chunk::headerSize)
            throw Error("config file corrupted, chunk length smaller than its header");
        in.skip(length - chunk::headerSize);
    }
}

} // namespace windlecroft

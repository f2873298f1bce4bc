#include "skin/ArchiveEntryCompiler.h"

#include "resources/FileKind.h"
#include "skin/AssetError.h"
#include "skin/BmpEncoder.h"
#include "skin/JpegEncoder.h"
#include "skin/PictureDecoder.h"
#include "skin/RegionMaskBuilder.h"
#include "skin/SourceError.h"
#include "skin/SourceKeys.h"
#include "skin/TomlFields.h"

#include <array>
#include <cctype>

namespace windlecroft::skin {

namespace {

std::vector<std::uint8_t> readAsset(AssetReader& assets, const std::string& path, int line)
{
    std::optional<std::vector<std::uint8_t>> bytes;
    try {
        bytes = assets.read(path);
    } catch (const AssetError& error) {
        throw SourceError(line, path + " " + error.what());
    }
    if (!bytes)
        throw SourceError(line, "can't read " + path);
    return std::move(*bytes);
}

RgbaPicture readPicture(AssetReader& assets, const std::string& path, int line)
{
    std::string reason;
    std::optional<RgbaPicture> picture = decodePicture(readAsset(assets, path, line), reason);
    if (!picture)
        throw SourceError(line, "can't decode " + path + ": " + reason);
    return std::move(*picture);
}

std::array<std::uint8_t, 3> keyColour(const toml::node& node)
{
    const auto* text = node.as_string();
    if (text != nullptr && text->get().size() == 7 && text->get()[0] == '#') {
        std::array<std::uint8_t, 3> colour{};
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string digits = text->get().substr(1 + 2 * i, 2);
            if (!std::isxdigit(static_cast<unsigned char>(digits[0])) || !std::isxdigit(static_cast<unsigned char>(digits[1])))
                break;
            colour[i] = static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16));
            if (i == 2)
                return colour;
        }
    }
    throw SourceError(lineOf(node), "key must be a colour written \"#RRGGBB\"");
}

// The line that names the asset under key, so that a message about the file points at it.
int assetLine(const toml::table& table, std::string_view key)
{
    const toml::node* node = table.get(key);
    return node != nullptr ? lineOf(*node) : lineOf(table);
}

} // namespace

ArchiveFile compileArchiveEntry(const toml::table& table, AssetReader& assets)
{
    TomlFields fields(table, "archive entry", SourceKeys::entry());
    fields.rejectUnknownKeys();
    ArchiveFile file;
    file.name = fields.text("name");
    const int sources = int{fields.has("file")} + int{fields.has("picture")} + int{fields.has("mask")} + int{fields.has("text")};
    if (sources != 1)
        throw SourceError(fields.line(), "archive entry needs exactly one of file, picture, mask or text");

    if (fields.has("file")) {
        file.data = readAsset(assets, fields.string("file"), assetLine(table, "file"));
    } else if (fields.has("text")) {
        const std::string text = fields.text("text");
        file.data.assign(text.begin(), text.end());
    } else if (fields.has("picture")) {
        const RgbaPicture picture = readPicture(assets, fields.string("picture"), assetLine(table, "picture"));
        switch (classifyFileName(file.name)) {
        case FileKind::Bmp:
            file.data = encodeBmp(picture);
            break;
        case FileKind::Jpeg: {
            const int quality = fields.number<int>("quality", 90);
            if (quality < 1 || quality > 100)
                throw SourceError(fields.line(), "quality must lie in 1..100");
            std::string reason;
            std::optional<std::vector<std::uint8_t>> jpeg = encodeJpeg(picture, quality, reason);
            if (!jpeg)
                throw SourceError(fields.line(), "can't encode the JPEG: " + reason);
            file.data = std::move(*jpeg);
            break;
        }
        default:
            throw SourceError(fields.line(), "a picture's archive name must end in .bmp or .jpg, which decides how it is stored");
        }
    } else {
        const RgbaPicture picture = readPicture(assets, fields.string("mask"), assetLine(table, "mask"));
        if (const toml::node* key = fields.take("key")) {
            file.data = maskFromKeyColour(picture, keyColour(*key));
        } else {
            if (!picture.hasAlpha)
                throw SourceError(fields.line(), "the mask picture has no alpha channel: give key = \"#RRGGBB\" for a key colour");
            const int threshold = fields.number<int>("threshold", 128);
            if (threshold < 1 || threshold > 255)
                throw SourceError(fields.line(), "threshold must lie in 1..255");
            file.data = maskFromAlpha(picture, threshold);
        }
    }
    fields.finish();
    return file;
}

} // namespace windlecroft::skin

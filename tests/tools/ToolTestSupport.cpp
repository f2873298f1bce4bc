#include "ToolTestSupport.h"

#include "skin/ArchiveWriter.h"

#include <png.h>

#include <sstream>
#include <stdexcept>

namespace windlecroft::test {

std::vector<std::uint8_t> makePng(int width, int height, const std::function<Rgba(int x, int y)>& colour, bool withAlpha)
{
    const int channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = colour(x, y);
            pixels.insert(pixels.end(), {c.r, c.g, c.b});
            if (withAlpha)
                pixels.push_back(c.a);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), width * channels, nullptr))
        throw std::runtime_error("can't size the PNG");
    std::vector<std::uint8_t> file(size);
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, pixels.data(), width * channels, nullptr))
        throw std::runtime_error("can't write the PNG");
    file.resize(size);
    return file;
}

skin::CompiledSkin compile(const std::string& text, skin::Diagnostics& diagnostics, skin::AssetReader* assets)
{
    MemoryAssets none;
    return skin::compileSource(text, assets ? *assets : none, diagnostics);
}

std::string printed(const skin::Diagnostics& diagnostics)
{
    std::ostringstream out;
    diagnostics.print(out, "skin.toml");
    return out.str();
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

void writeText(const std::filesystem::path& path, std::string_view text)
{
    std::filesystem::create_directories(path.parent_path());
    writeFile(path, bytesOf(text));
}

} // namespace windlecroft::test

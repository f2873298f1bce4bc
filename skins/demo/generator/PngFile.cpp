#include "PngFile.h"

#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace windlecroft::demo {

namespace {

void write(const std::filesystem::path& path, int width, int height, std::uint32_t format, const std::vector<std::uint8_t>& pixels)
{
    std::filesystem::create_directories(path.parent_path());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr))
        throw std::runtime_error("can't write " + path.string() + ": " + image.message);
}

} // namespace

void writePicture(const std::filesystem::path& path, const Surface& picture)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t pixel = picture.pixel(x, y);
            rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
            rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
            rgb.push_back(static_cast<std::uint8_t>(pixel));
        }
    }
    write(path, picture.width(), picture.height(), PNG_FORMAT_RGB, rgb);
}

void writeMask(const std::filesystem::path& path, int width, int height, const std::function<bool(int x, int y)>& inside)
{
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t alpha = inside(x, y) ? 255 : 0;
            rgba.insert(rgba.end(), {0, 0, 0, alpha});
        }
    }
    write(path, width, height, PNG_FORMAT_RGBA, rgba);
}

} // namespace windlecroft::demo

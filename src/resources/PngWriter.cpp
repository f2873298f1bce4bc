#include "resources/PngWriter.h"

#include <png.h>

#include <vector>

namespace windlecroft {

bool writePng(const std::filesystem::path& path, const Surface& picture, std::string* reason)
{
    if (picture.empty()) {
        if (reason)
            *reason = "empty picture";
        return false;
    }
    // libpng's simplified interface takes packed RGB rows; it reports errors without longjmp.
    const auto width = static_cast<std::size_t>(picture.width());
    std::vector<std::uint8_t> rgb(width * 3 * static_cast<std::size_t>(picture.height()));
    std::uint8_t* out = rgb.data();
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint32_t* row = picture.row(y);
        for (std::size_t x = 0; x < width; ++x) {
            *out++ = static_cast<std::uint8_t>(row[x] >> 16);
            *out++ = static_cast<std::uint8_t>(row[x] >> 8);
            *out++ = static_cast<std::uint8_t>(row[x]);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width());
    image.height = static_cast<png_uint_32>(picture.height());
    image.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
    if (!written && reason)
        *reason = image.message;
    png_image_free(&image);
    return written;
}

} // namespace windlecroft

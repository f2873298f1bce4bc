#include "skin/PngEncoder.h"

#include <png.h>

#include <stdexcept>
#include <string>

namespace windlecroft::skin {

std::vector<std::uint8_t> encodePng(const RgbaPicture& picture)
{
    // A picture without alpha is written as RGB, so that readers see no alpha channel at all.
    std::vector<std::uint8_t> rgb;
    if (!picture.hasAlpha) {
        rgb.reserve(picture.rgba.size() / 4 * 3);
        for (std::size_t i = 0; i + 3 < picture.rgba.size(); i += 4)
            rgb.insert(rgb.end(), {picture.rgba[i], picture.rgba[i + 1], picture.rgba[i + 2]});
    }
    const std::uint8_t* pixels = picture.hasAlpha ? picture.rgba.data() : rgb.data();
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = picture.hasAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const png_int_32 stride = picture.width * (picture.hasAlpha ? 4 : 3);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels, stride, nullptr))
        throw std::runtime_error(std::string("can't write the PNG: ") + image.message);
    std::vector<std::uint8_t> file(size);
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, pixels, stride, nullptr))
        throw std::runtime_error(std::string("can't write the PNG: ") + image.message);
    file.resize(size);
    return file;
}

} // namespace windlecroft::skin

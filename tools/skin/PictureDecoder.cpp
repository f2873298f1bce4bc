#include "skin/PictureDecoder.h"

#include "base/Error.h"
#include "resources/BmpDecoder.h"
#include "resources/JpegDecoder.h"
#include "resources/PictureLimits.h"

#include <png.h>

#include <algorithm>
#include <array>

namespace windlecroft::skin {

namespace {

bool startsWith(std::span<const std::uint8_t> file, std::span<const std::uint8_t> magic)
{
    return file.size() >= magic.size() && std::equal(magic.begin(), magic.end(), file.begin());
}

std::optional<RgbaPicture> decodePng(std::span<const std::uint8_t> file, std::string& reason)
{
    // libpng's simplified interface reads from memory and reports errors without longjmp.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, file.data(), file.size()) == 0) {
        reason = image.message;
        png_image_free(&image);
        return std::nullopt;
    }
    if (std::int64_t{image.width} * image.height > maxPicturePixels || image.width > maxPictureSide
        || image.height > maxPictureSide) {
        reason = "the picture is larger than a skin picture may be";
        png_image_free(&image);
        return std::nullopt;
    }
    RgbaPicture picture;
    picture.hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) == 0) {
        reason = image.message;
        png_image_free(&image);
        return std::nullopt;
    }
    return picture;
}

RgbaPicture fromSurface(const Surface& surface)
{
    RgbaPicture picture;
    picture.width = surface.width();
    picture.height = surface.height();
    picture.rgba.reserve(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4);
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const std::uint32_t p = surface.pixel(x, y);
            picture.rgba.push_back(static_cast<std::uint8_t>(p >> 16));
            picture.rgba.push_back(static_cast<std::uint8_t>(p >> 8));
            picture.rgba.push_back(static_cast<std::uint8_t>(p));
            picture.rgba.push_back(255);
        }
    }
    return picture;
}

} // namespace

std::optional<RgbaPicture> decodePicture(std::span<const std::uint8_t> file, std::string& reason)
{
    static constexpr std::array<std::uint8_t, 8> pngMagic{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    static constexpr std::array<std::uint8_t, 2> bmpMagic{'B', 'M'};
    static constexpr std::array<std::uint8_t, 2> jpegMagic{0xFF, 0xD8};
    if (startsWith(file, pngMagic))
        return decodePng(file, reason);
    if (startsWith(file, bmpMagic)) {
        try {
            return fromSurface(decodeBmp(file));
        } catch (const Error& error) {
            reason = error.what();
            return std::nullopt;
        }
    }
    if (startsWith(file, jpegMagic)) {
        if (std::optional<Surface> surface = decodeJpeg(file, &reason))
            return fromSurface(*surface);
        return std::nullopt;
    }
    reason = "not a PNG, BMP or JPEG file";
    return std::nullopt;
}

} // namespace windlecroft::skin

#include "ScreenCapture.h"

#include "XServer.h"

#include <png.h>

#include <cstdlib>
#include <iterator>
#include <sstream>
#include <utility>

namespace windlecroft::test {

ScreenCapture::ScreenCapture(const XServer& x)
{
    const auto ppm = x.query({"import", "-window", "root", "-depth", "8", "ppm:-"});
    if (!ppm)
        return;
    std::istringstream in(*ppm);
    std::string magic;
    int maxValue = 0;
    in >> magic >> width_ >> height_ >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || width_ <= 0 || height_ <= 0) {
        width_ = height_ = 0;
        return;
    }
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScreenCapture::ScreenCapture(const std::filesystem::path& png)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, png.c_str()))
        return;
    image.format = PNG_FORMAT_RGB;
    std::string pixels(PNG_IMAGE_SIZE(image), '\0');
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return;
    width_ = static_cast<int>(image.width);
    height_ = static_cast<int>(image.height);
    bytes_ = std::move(pixels);
}

bool ScreenCapture::valid() const
{
    return width_ > 0 && bytes_.size() >= static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3;
}

std::uint32_t ScreenCapture::pixel(int x, int y) const
{
    if (!valid() || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at])) << 16
           | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at + 1])) << 8
           | static_cast<unsigned char>(bytes_[at + 2]);
}

bool coloursNear(std::uint32_t a, std::uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16}) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > tolerance)
            return false;
    }
    return true;
}

} // namespace windlecroft::test

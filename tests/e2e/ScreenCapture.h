#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace windlecroft::test {

class XServer;

/**
 * The whole screen of a display as 0x00RRGGBB pixels, read through ImageMagick's PPM output,
 * or from a PNG file a compositor's screenshot tool wrote.
 */
class ScreenCapture {
public:
    explicit ScreenCapture(const XServer& x);
    explicit ScreenCapture(const std::filesystem::path& png);

    bool valid() const;
    int width() const { return width_; }
    int height() const { return height_; }
    /** The pixel at (x, y); 0 outside the screen. */
    std::uint32_t pixel(int x, int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::string bytes_;
};

/** True when every channel of the two colours differs by at most tolerance. */
bool coloursNear(std::uint32_t a, std::uint32_t b, int tolerance);

} // namespace windlecroft::test

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace windlecroft {

/**
 * A picture in memory: 32-bit pixels 0x00RRGGBB, rows top first, `stride` pixels from one
 * row to the next. Images and the back buffer own one each.
 */
class Surface {
public:
    Surface() = default;
    Surface(int width, int height) { resize(width, height); }

    /** Sets the size; all pixels become black. Negative sizes give an empty surface. */
    void resize(int width, int height)
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        stride_ = width_;
        pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0u);
    }

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_); }
    const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_); }
    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void setPixel(int x, int y, std::uint32_t value) { row(y)[x] = value; }

    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace windlecroft

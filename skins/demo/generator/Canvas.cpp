#include "Canvas.h"

#include <algorithm>

namespace windlecroft::demo {

Canvas::Canvas(int width, int height, Colour background) : surface_(width, height)
{
    std::fill(surface_.data(), surface_.data() + static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
              background.pixel());
}

void Canvas::fill(const Shape& shape, Box box, const Paint& paint, float opacity)
{
    constexpr int samples = 4;
    const int left = std::max(0, box.left);
    const int top = std::max(0, box.top);
    const int right = std::min(width(), box.right);
    const int bottom = std::min(height(), box.bottom);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            int covered = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    if (shape(static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / samples,
                              static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / samples))
                        ++covered;
                }
            }
            if (covered == 0)
                continue;
            const float coverage = opacity * static_cast<float>(covered) / (samples * samples);
            const Colour colour = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            set(x, y, mix(at(x, y), colour, coverage));
        }
    }
}

void Canvas::copyFrom(const Canvas& other, Box box)
{
    for (int y = std::max(0, box.top); y < std::min(height(), box.bottom); ++y) {
        for (int x = std::max(0, box.left); x < std::min(width(), box.right); ++x)
            surface_.setPixel(x, y, other.surface_.pixel(x, y));
    }
}

} // namespace windlecroft::demo

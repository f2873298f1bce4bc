#include "resources/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace windlecroft {

namespace {

// A rectangle of width x height pixels, at (x, y) in the destination and (sourceX, sourceY) in
// the source, cut so that it lies inside both.
struct Blit {
    int x = 0;
    int y = 0;
    int sourceX = 0;
    int sourceY = 0;
    int width = 0;
    int height = 0;
};

// Clips one axis; 64-bit arithmetic so that no rectangle from a skin can overflow.
bool clipAxis(std::int64_t& to, std::int64_t& from, std::int64_t& length, std::int64_t toSize, std::int64_t fromSize)
{
    const std::int64_t skip = std::max<std::int64_t>({0, -to, -from});
    to += skip;
    from += skip;
    length -= skip;
    length = std::min({length, toSize - to, fromSize - from});
    return length > 0;
}

bool clip(const Surface& destination, const Surface& source, int x, int y, int width, int height, int sourceX,
          int sourceY, Blit& blit)
{
    std::int64_t toX = x, toY = y, fromX = sourceX, fromY = sourceY, w = width, h = height;
    if (!clipAxis(toX, fromX, w, destination.width(), source.width()) ||
        !clipAxis(toY, fromY, h, destination.height(), source.height()))
        return false;
    blit = {static_cast<int>(toX), static_cast<int>(toY), static_cast<int>(fromX),
            static_cast<int>(fromY), static_cast<int>(w), static_cast<int>(h)};
    return true;
}

// One channel: (t + 1 + (t >> 8)) >> 8 equals t / 255 for every t the formula can produce
// (t <= 65152), and keeps the arithmetic in 16 bits.
inline std::uint8_t mix(std::uint8_t from, std::uint8_t to, std::uint16_t alpha, std::uint16_t inverse)
{
    const auto t = static_cast<std::uint16_t>(from * alpha + to * inverse + 127);
    return static_cast<std::uint8_t>((t + 1 + (t >> 8)) >> 8);
}

// Works on the bytes of the pixels, so every channel (and the always-zero top byte, which
// stays zero) goes through the same arithmetic. The blocks of 16 bytes with a fixed count and
// the unaliased pointers let the compiler turn the inner loop into vector instructions.
void blendRow(std::uint32_t* __restrict destination, const std::uint32_t* __restrict source, int pixels,
              std::uint16_t alpha)
{
    auto* to = reinterpret_cast<std::uint8_t*>(destination);
    const auto* from = reinterpret_cast<const std::uint8_t*>(source);
    const std::size_t count = static_cast<std::size_t>(pixels) * 4;
    const auto inverse = static_cast<std::uint16_t>(255 - alpha);
    constexpr std::size_t block = 16;
    std::size_t i = 0;
    for (; i + block <= count; i += block) {
        for (std::size_t k = 0; k < block; ++k)
            to[i + k] = mix(from[i + k], to[i + k], alpha, inverse);
    }
    for (; i < count; ++i)
        to[i] = mix(from[i], to[i], alpha, inverse);
}

std::uint16_t toAlpha(float alpha)
{
    if (!(alpha > 0.0f))
        return 0;
    return alpha >= 255.0f ? 255 : static_cast<std::uint16_t>(alpha);
}

} // namespace

void Canvas::create(int width, int height)
{
    surface_.resize(width, height);
    created_ = true;
}

void Canvas::copy(const Image& image, int x, int y, int width, int height, int sourceX, int sourceY)
{
    copy(image.pixels(), x, y, width, height, sourceX, sourceY);
}

void Canvas::copy(const Surface& source, int x, int y, int width, int height, int sourceX, int sourceY)
{
    Blit blit;
    if (!clip(surface_, source, x, y, width, height, sourceX, sourceY, blit))
        return;
    const std::size_t bytes = static_cast<std::size_t>(blit.width) * sizeof(std::uint32_t);
    for (int row = 0; row < blit.height; ++row)
        std::memcpy(surface_.row(blit.y + row) + blit.x, source.row(blit.sourceY + row) + blit.sourceX, bytes);
}

void Canvas::blend(const Image& image, int x, int y, int width, int height, int sourceX, int sourceY, float alpha)
{
    blend(image.pixels(), x, y, width, height, sourceX, sourceY, alpha);
}

void Canvas::blend(const Surface& source, int x, int y, int width, int height, int sourceX, int sourceY, float alpha)
{
    const std::uint16_t a = toAlpha(alpha);
    if (a == 0)
        return;
    if (a == 255) {
        copy(source, x, y, width, height, sourceX, sourceY);
        return;
    }
    Blit blit;
    if (!clip(surface_, source, x, y, width, height, sourceX, sourceY, blit))
        return;
    for (int row = 0; row < blit.height; ++row)
        blendRow(surface_.row(blit.y + row) + blit.x, source.row(blit.sourceY + row) + blit.sourceX, blit.width, a);
}

void Canvas::fill(const Rect& rect, std::uint32_t colour)
{
    const Rect area = intersection(rect, {0, 0, surface_.width(), surface_.height()});
    if (holdsNoPixel(area))
        return;
    for (int y = area.top; y < area.bottom; ++y)
        std::fill(surface_.row(y) + area.left, surface_.row(y) + area.right, colour);
}

} // namespace windlecroft

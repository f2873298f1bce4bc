#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace windlecroft::demo {

/** An 8-bit red, green, blue colour. */
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    static constexpr Colour hex(std::uint32_t rgb)
    {
        return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
    }
    /** The player's pixel form, 0x00RRGGBB. */
    constexpr std::uint32_t pixel() const { return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b; }
    static constexpr Colour fromPixel(std::uint32_t pixel) { return hex(pixel & 0xFFFFFF); }
    /** The font's colour form, 0x00BBGGRR. */
    constexpr std::uint32_t colorref() const { return (std::uint32_t{b} << 16) | (std::uint32_t{g} << 8) | r; }

    bool operator==(const Colour&) const = default;
};

/** a + (b - a) · t, t clamped to 0..1. */
inline Colour mix(Colour a, Colour b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    const auto channel = [t](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(static_cast<float>(x) + (static_cast<float>(y) - static_cast<float>(x)) * t));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

/** Lighter (amount > 0, towards white) or darker (amount < 0, towards black). */
inline Colour shade(Colour c, float amount)
{
    return amount >= 0 ? mix(c, Colour{255, 255, 255}, amount) : mix(c, Colour{0, 0, 0}, -amount);
}

} // namespace windlecroft::demo

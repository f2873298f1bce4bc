#pragma once

#include "Colour.h"
#include "Shape.h"
#include "resources/Surface.h"

#include <functional>

namespace windlecroft::demo {

/** The colour a fill paints at a point: plain, or a gradient. */
using Paint = std::function<Colour(float x, float y)>;

inline Paint solid(Colour colour)
{
    return [colour](float, float) { return colour; };
}

/** From `from` at y = top to `to` at y = bottom. */
inline Paint verticalGradient(float top, float bottom, Colour from, Colour to)
{
    return [=](float, float y) { return mix(from, to, (y - top) / (bottom - top)); };
}

/** From `inner` at the centre to `outer` at radius. */
inline Paint radialGradient(float cx, float cy, float radius, Colour inner, Colour outer)
{
    return [=](float x, float y) { return mix(inner, outer, std::hypot(x - cx, y - cy) / radius); };
}

/**
 * A picture being drawn: the player's 0x00RRGGBB surface with anti-aliased fills of shapes.
 * Each pixel is sampled 4 × 4 times, so edges blend smoothly into what lies below.
 */
class Canvas {
public:
    Canvas(int width, int height, Colour background);

    int width() const { return surface_.width(); }
    int height() const { return surface_.height(); }
    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }

    Colour at(int x, int y) const { return Colour::fromPixel(surface_.pixel(x, y)); }
    void set(int x, int y, Colour colour) { surface_.setPixel(x, y, colour.pixel()); }

    /** Paints shape within box (clipped to the picture); opacity scales the coverage. */
    void fill(const Shape& shape, Box box, const Paint& paint, float opacity = 1.0f);
    void fill(const Shape& shape, Box box, Colour colour, float opacity = 1.0f) { fill(shape, box, solid(colour), opacity); }

    /** Copies the pixels of box from another picture of the same size. */
    void copyFrom(const Canvas& other, Box box);

private:
    Surface surface_;
};

} // namespace windlecroft::demo

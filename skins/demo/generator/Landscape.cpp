#include "Landscape.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace windlecroft::demo {

Landscape::Landscape(Canvas& canvas, Shape clip, Box box, const Palette& palette)
    : canvas_(canvas), clip_(std::move(clip)), box_(box), palette_(palette)
{
}

Shape Landscape::within(Shape shape) const
{
    return intersect(clip_, std::move(shape));
}

void Landscape::sky()
{
    canvas_.fill(clip_, box_,
                 verticalGradient(static_cast<float>(box_.top), static_cast<float>(box_.bottom), palette_.skyTop, palette_.skyBottom));
}

void Landscape::stars(int count, unsigned seed)
{
    // A linear congruential generator: the same sky in every build.
    unsigned state = seed;
    const auto next = [&state](int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(range));
    };
    const int width = box_.right - box_.left;
    const int height = (box_.bottom - box_.top) * 2 / 3;
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(box_.left + next(width));
        const float y = static_cast<float>(box_.top + next(height));
        const float radius = 0.5f + static_cast<float>(next(10)) / 10.0f;
        const Colour colour = mix(palette_.celestial, palette_.skyTop, static_cast<float>(next(50)) / 100.0f);
        canvas_.fill(within(circle(x, y, radius)), {static_cast<int>(x) - 2, static_cast<int>(y) - 2, static_cast<int>(x) + 3, static_cast<int>(y) + 3},
                     colour);
    }
}

void Landscape::celestial(float cx, float cy, float radius)
{
    const Box halo{static_cast<int>(cx - radius * 2.2f), static_cast<int>(cy - radius * 2.2f),
                   static_cast<int>(cx + radius * 2.2f) + 1, static_cast<int>(cy + radius * 2.2f) + 1};
    // A soft halo: rings of falling opacity.
    for (int ring = 5; ring >= 1; --ring) {
        const float r = radius * (1.0f + 0.22f * static_cast<float>(ring));
        canvas_.fill(within(circle(cx, cy, r)), halo, palette_.celestialGlow, 0.07f);
    }
    if (palette_.time == TimeOfDay::Night) {
        // A crescent: the disc less a disc moved towards the upper right.
        canvas_.fill(within(subtract(circle(cx, cy, radius), circle(cx + radius * 0.45f, cy - radius * 0.25f, radius * 0.9f))), halo,
                     palette_.celestial);
        return;
    }
    canvas_.fill(within(circle(cx, cy, radius)), halo,
                 radialGradient(cx - radius * 0.3f, cy - radius * 0.3f, radius * 1.6f, shade(palette_.celestial, 0.5f), palette_.celestial));
}

void Landscape::hills(float horizon, float amplitude)
{
    const auto range = [](float base, float amp, float wave, float phase) {
        return [=](float x, float y) {
            const float top = base - amp * (0.6f * std::sin(x / wave + phase) + 0.4f * std::sin(x / (wave * 0.43f) + phase * 2.1f));
            return y >= top;
        };
    };
    canvas_.fill(within(range(horizon, amplitude, 55.0f, 0.7f)), box_, palette_.hillsFar);
    canvas_.fill(within(range(horizon + amplitude * 0.9f, amplitude * 0.8f, 38.0f, 2.3f)), box_, palette_.hillsNear);
}

void Landscape::windmill(float x, float groundY, float height, float angle)
{
    const float towerTop = groundY - height * 0.62f;
    const float baseHalf = height * 0.17f;
    const float topHalf = height * 0.09f;
    Shape tower = polygon({{x - baseHalf, groundY}, {x + baseHalf, groundY}, {x + topHalf, towerTop}, {x - topHalf, towerTop}});
    Shape cap = polygon({{x - topHalf * 1.35f, towerTop}, {x + topHalf * 1.35f, towerTop}, {x, towerTop - height * 0.13f}});
    const float hubY = towerTop - height * 0.04f;
    Shape body = unite(std::move(tower), std::move(cap));
    body = unite(std::move(body), circle(x, hubY, height * 0.035f));
    const float sail = height * 0.5f;
    for (int i = 0; i < 4; ++i) {
        const float a = angle + static_cast<float>(i) * std::numbers::pi_v<float> / 2.0f;
        const float ex = x + sail * std::cos(a);
        const float ey = hubY + sail * std::sin(a);
        // A stock with a lattice sail along its outer two thirds.
        body = unite(std::move(body), segment(x, hubY, ex, ey, height * 0.025f));
        const float nx = -std::sin(a) * height * 0.07f;
        const float ny = std::cos(a) * height * 0.07f;
        const float sx = x + (ex - x) * 0.33f;
        const float sy = hubY + (ey - hubY) * 0.33f;
        body = unite(std::move(body), polygon({{sx, sy}, {ex, ey}, {ex + nx, ey + ny}, {sx + nx, sy + ny}}));
    }
    const Box box{static_cast<int>(x - sail - 4), static_cast<int>(hubY - sail - 4), static_cast<int>(x + sail + 5),
                  static_cast<int>(groundY + 2)};
    canvas_.fill(within(std::move(body)), box, palette_.silhouette);
    // A lit window in the tower, brighter at night.
    const Colour light = palette_.time == TimeOfDay::Night ? Colour::hex(0xFFD27A) : shade(palette_.silhouette, 0.35f);
    canvas_.fill(within(roundRect(x - height * 0.03f, groundY - height * 0.33f, x + height * 0.03f, groundY - height * 0.23f, 1.5f)), box,
                 light);
}

} // namespace windlecroft::demo

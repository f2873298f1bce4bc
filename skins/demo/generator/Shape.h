#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace windlecroft::demo {

/** An area of the picture: whether a point (in pixels, centres at .5) lies inside it. */
using Shape = std::function<bool(float x, float y)>;

/** Axis-aligned bounds of a shape in whole pixels, right and bottom exclusive. */
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline Shape roundRect(float left, float top, float right, float bottom, float radius)
{
    return [=](float x, float y) {
        if (x < left || x > right || y < top || y > bottom)
            return false;
        const float cx = std::clamp(x, left + radius, right - radius);
        const float cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

inline Shape circle(float cx, float cy, float radius)
{
    return [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}

inline Shape ellipse(float cx, float cy, float rx, float ry)
{
    return [=](float x, float y) {
        const float dx = (x - cx) / rx;
        const float dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0f;
    };
}

/** A polygon by the even-odd rule. */
inline Shape polygon(std::vector<std::pair<float, float>> points)
{
    return [points = std::move(points)](float x, float y) {
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside;
    };
}

/** A straight stroke of the given width between two points, with round ends. */
inline Shape segment(float x0, float y0, float x1, float y1, float width)
{
    return [=](float x, float y) {
        const float dx = x1 - x0;
        const float dy = y1 - y0;
        const float lengthSquared = dx * dx + dy * dy;
        float t = lengthSquared > 0 ? ((x - x0) * dx + (y - y0) * dy) / lengthSquared : 0.0f;
        t = std::clamp(t, 0.0f, 1.0f);
        const float px = x0 + t * dx - x;
        const float py = y0 + t * dy - y;
        return px * px + py * py <= width * width / 4.0f;
    };
}

inline Shape unite(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return a(x, y) || b(x, y); };
}

inline Shape subtract(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return a(x, y) && !b(x, y); };
}

inline Shape intersect(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return a(x, y) && b(x, y); };
}

} // namespace windlecroft::demo

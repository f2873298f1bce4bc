#pragma once

#include "Canvas.h"
#include "Palette.h"

namespace windlecroft::demo {

/**
 * The skin's scenery: sky, sun or moon, stars, rolling hills and the windmill that gives the
 * player its name. Every piece is painted inside a clip shape, within a box.
 */
class Landscape {
public:
    Landscape(Canvas& canvas, Shape clip, Box box, const Palette& palette);

    void sky();
    /** Stars scattered over the upper part of the box, the same every time for one seed. */
    void stars(int count, unsigned seed);
    /** The sun for day and evening, a crescent moon for night, centred at (cx, cy). */
    void celestial(float cx, float cy, float radius);
    /** Two ranges of hills whose tops lie around y = horizon. */
    void hills(float horizon, float amplitude);
    /** A windmill standing at (x, groundY), `height` pixels tall, its sails turned by angle radians. */
    void windmill(float x, float groundY, float height, float angle);

private:
    Shape within(Shape shape) const;

    Canvas& canvas_;
    Shape clip_;
    Box box_;
    const Palette& palette_;
};

} // namespace windlecroft::demo

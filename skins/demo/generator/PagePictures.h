#pragma once

#include "Canvas.h"

namespace windlecroft::demo {

/** A page's three full-window pictures, all drawn to the same layout. */
struct PagePictures {
    Canvas normal;
    Canvas pressed;
    Canvas highlight;
};

/**
 * Makes the area outside the outline white, the colour the player keys out, and keeps it out of
 * the inside: a white pixel there would turn transparent while the window fades.
 */
void keyOutside(Canvas& canvas, const Shape& outline);

} // namespace windlecroft::demo

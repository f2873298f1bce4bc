#pragma once

#include "Shape.h"

namespace windlecroft::demo {

/**
 * The window's outlines, each with its mask. The panel is a rounded body with a round crest
 * for the sun or the moon; the intro is a disc and the outro a rounded square, both inside the
 * rectangle (90, 45)-(510, 465) that the player gives those scenes when it cannot fade them.
 */
inline Shape panelOutline()
{
    return unite(roundRect(10, 34, 590, 502, 44), circle(300, 60, 56));
}

inline Shape introOutline()
{
    return circle(300, 255, 205);
}

inline Shape outroOutline()
{
    return roundRect(100, 60, 500, 450, 70);
}

/** The same outline moved inwards by inset pixels, for rims. */
inline Shape insetPanelOutline(float inset)
{
    return unite(roundRect(10 + inset, 34 + inset, 590 - inset, 502 - inset, 44 - inset), circle(300, 60, 56 - inset));
}

} // namespace windlecroft::demo

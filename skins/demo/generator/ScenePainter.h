#pragma once

#include "PagePictures.h"
#include "SkinLayout.h"
#include "TextPainter.h"

namespace windlecroft::demo {

/**
 * Draws the intro (a round window on the mill at dawn, with a button to begin) and the outro
 * (a rounded window on the mill at night, saying goodbye).
 */
class ScenePainter {
public:
    explicit ScenePainter(TextPainter& text) : text_(text) {}

    /** The intro's normal and highlighted pictures; its buttons come from the page's records. */
    PagePictures intro(const PageSource& page, int width, int height) const;
    Canvas outro(int width, int height) const;

private:
    TextPainter& text_;
};

} // namespace windlecroft::demo

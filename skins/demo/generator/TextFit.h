#pragma once

#include "SkinLayout.h"
#include "TextPainter.h"

namespace windlecroft::demo {

/**
 * Checks, on every page, that the text the player draws in the text list and the text viewer
 * fits them: each row at least as tall as the font's cell, each playlist name and each line of
 * a document as the player wraps it no wider than its rectangle. The player wraps documents at
 * a number of bytes, not at a width, and cuts off what runs past the right edge, so a document
 * has to be written for its viewer. Throws std::runtime_error naming what does not fit.
 */
void checkTextFits(const SkinLayout& layout, TextPainter& text);

} // namespace windlecroft::demo

#pragma once

#include "SkinLayout.h"
#include "TextPainter.h"

#include <filesystem>

namespace windlecroft::demo {

/**
 * Writes every picture and mask the skin's entries name, as PNG files under folder:
 * pictures/<page>.png, -pressed.png and -highlight.png for the panel pages, the intro's and the
 * outro's pictures, each panel page's slider knobs where their entries put them, and masks/panel.png, intro.png and outro.png.
 */
void writePictures(const SkinLayout& layout, TextPainter& text, const std::filesystem::path& folder);

} // namespace windlecroft::demo

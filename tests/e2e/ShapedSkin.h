#pragma once

#include "base/Rect.h"
#include "support/TempDir.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace windlecroft::test {

/** The panel's shape leaves out the top-left corner of this size. */
constexpr int shapedSkinCornerCut = 50;

/** A 24-bit BMP whose pixel (x, y) has the colour colourAt(x, y) (0x00RRGGBB). */
std::vector<std::uint8_t> pictureBmp(int width, int height, const std::function<std::uint32_t(int, int)>& colourAt);

/**
 * A skin whose intro page shows introBmp and switches to the panel page ("dzien", the page of
 * the first track) after introMs; the panel shows panelBmp, shaped without its top-left corner,
 * with a button posting (code, arg). Escape quits on the panel.
 */
void writeShapedSkin(const TempDir& dir, const std::string& title, int width, int height,
                     const std::vector<std::uint8_t>& introBmp, std::uint32_t introMs,
                     const std::vector<std::uint8_t>& panelBmp, const Rect& button, std::uint16_t code,
                     std::uint16_t arg);

} // namespace windlecroft::test

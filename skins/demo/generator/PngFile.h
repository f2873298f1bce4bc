#pragma once

#include "resources/Surface.h"

#include <filesystem>
#include <functional>

namespace windlecroft::demo {

/** Writes the picture as an opaque RGB PNG; throws std::runtime_error when it cannot. */
void writePicture(const std::filesystem::path& path, const Surface& picture);

/**
 * Writes a window-shape mask as an RGBA PNG: opaque black where inside(x, y) holds, fully
 * transparent elsewhere. The skin tool turns the alpha into the player's mask bytes.
 */
void writeMask(const std::filesystem::path& path, int width, int height, const std::function<bool(int x, int y)>& inside);

} // namespace windlecroft::demo

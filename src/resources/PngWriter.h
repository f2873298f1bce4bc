#pragma once

#include "resources/Surface.h"

#include <filesystem>
#include <string>

namespace windlecroft {

/**
 * Writes the picture as an 8-bit RGB PNG file, replacing the file. Returns false when it cannot
 * be written; reason then says why.
 */
bool writePng(const std::filesystem::path& path, const Surface& picture, std::string* reason = nullptr);

} // namespace windlecroft

#pragma once

#include "skin/ArchiveContents.h"
#include "skin/AssetReader.h"

#include <toml++/toml.h>

namespace windlecroft::skin {

/**
 * Compiles one [[entry]] table of the source into an archive file. The entry's name is the
 * archive name; exactly one of these gives its data:
 *   file = "PATH"      the file stored as it is (fonts, documents, music, finished pictures)
 *   picture = "PATH"   a PNG, BMP or JPEG converted to what the name asks for: a 24-bit BMP for
 *                      a name ending in .bmp, a JPEG (quality, default 90) for one ending in .jpg
 *   mask = "PATH"      a region mask made from the picture's alpha (a pixel with alpha of at
 *                      least threshold, default 128, belongs to the window) or, with key =
 *                      "#RRGGBB", from a key colour (pixels of that colour are transparent)
 *   text = "..."       the text itself, stored in Windows-1250
 * Throws SourceError when the table is wrong or the file cannot be read or converted.
 */
ArchiveFile compileArchiveEntry(const toml::table& table, AssetReader& assets);

} // namespace windlecroft::skin

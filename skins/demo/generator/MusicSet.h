#pragma once

#include "SkinLayout.h"

#include <filesystem>

namespace windlecroft::demo {

/**
 * Composes the pieces the side channel plays from the archive, written under folder as
 * sounds/fanfare.xm, farewell.it, chime.ogg and bells.mp3.
 */
void writeSidePieces(const std::filesystem::path& folder);

/**
 * Composes one piece for every playlist entry and writes it where the entry's file names it,
 * relative to the skin folder: the kind follows the extension (XM and IT modules, Ogg Vorbis and
 * MP3 streams), the mood the page the entry's position plays in, the tune its title.
 */
void writePlaylistMusic(const SkinLayout& layout, const std::filesystem::path& skinFolder);

} // namespace windlecroft::demo

#pragma once

#include "music/TrackerSong.h"

#include <cstdint>
#include <vector>

namespace windlecroft::music {

/** Writes a song as an Extended Module (version 1.04): one instrument for each of the song's samples. */
std::vector<std::uint8_t> writeXm(const TrackerSong& song);

} // namespace windlecroft::music

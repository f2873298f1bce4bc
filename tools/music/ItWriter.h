#pragma once

#include "music/TrackerSong.h"

#include <cstdint>
#include <vector>

namespace windlecroft::music {

/**
 * Writes a song as an Impulse Tracker module in sample mode (no instruments): the instrument
 * column selects one of the song's samples. Notes are raised an octave so that a cell sounds at the
 * same pitch as in the XM writer (C-4 there plays the sample at its base rate, C-5 here does).
 */
std::vector<std::uint8_t> writeIt(const TrackerSong& song);

} // namespace windlecroft::music

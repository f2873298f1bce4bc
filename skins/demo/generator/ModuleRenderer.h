#pragma once

#include "Score.h"
#include "music/TrackerSong.h"

namespace windlecroft::demo {

/**
 * Writes a score as a tracker song: one row per step at four rows a beat, one sample per voice
 * (looped for sustained voices, which the volume column silences when a note ends), as many
 * channels as notes overlap, and patterns of up to 64 rows with repeats shared in the order list.
 */
music::TrackerSong renderModule(const Score& score);

} // namespace windlecroft::demo

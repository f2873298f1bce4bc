#pragma once

#include "Palette.h"
#include "Score.h"

#include <cstdint>
#include <string>

namespace windlecroft::demo {

/** What a piece should be like: its time of day sets the mode, the tempo and the instruments. */
struct PieceStyle {
    std::string title;
    TimeOfDay time = TimeOfDay::Day;
    int bars = 20;         // a multiple of four
    std::uint32_t seed = 1; // everything else follows from it
};

/**
 * Writes a small piece: a chord progression in the mode of its time of day, a bass line, held
 * chords, an arpeggio, a melody built from a repeated motif, and drums for day and evening, in
 * the form A A' B A. The same style always gives the same notes.
 */
Score compose(const PieceStyle& style);

/** A seed made from a text, so that a title always gives the same piece. */
std::uint32_t seedOf(const std::string& text);

} // namespace windlecroft::demo

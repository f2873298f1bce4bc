#pragma once

#include "Score.h"

#include <vector>

namespace windlecroft::demo {

/**
 * How each voice sounds. Sustained voices (bass, pad, lead) are sums of harmonics that can loop
 * for as long as a note lasts; struck voices (pluck, bell and the drums) are rendered whole and
 * die away by themselves.
 */
namespace timbre {

/** True for voices that sustain (and so loop in a module). */
bool sustains(Voice voice);

/** Relative amplitude of harmonic n (from 1) of a sustained voice; 0 past its last harmonic. */
double harmonic(Voice voice, int n);

/** One struck note at frequency (ignored by the drums) and sample rate, peak about 1. */
std::vector<float> struck(Voice voice, double frequency, int rate);

/** The frequency of a MIDI key number. */
double frequencyOf(int key);

} // namespace timbre

} // namespace windlecroft::demo

#pragma once

#include "Score.h"

#include <vector>

namespace windlecroft::demo {

/**
 * Plays a score into stereo sound: sustained voices from their harmonics with attack, decay
 * and release, struck voices rendered whole at their pitch, each voice at its own place between
 * the speakers, with an echo on the off-beat. Returns interleaved frames at `rate`, peaking
 * just under full scale, with a short tail after the last step.
 */
std::vector<float> renderStream(const Score& score, int rate);

} // namespace windlecroft::demo

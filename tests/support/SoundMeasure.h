#pragma once

#include "audio/AudioOutput.h"

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace windlecroft::test {

/** Root mean square of interleaved samples. */
inline double rms(std::span<const float> samples)
{
    if (samples.empty())
        return 0.0;
    double sum = 0.0;
    for (float sample : samples)
        sum += static_cast<double>(sample) * sample;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

/** The interleaved samples between two times (milliseconds from the start of rendered). */
inline std::span<const float> between(const std::vector<float>& rendered, std::uint32_t fromMs, std::uint32_t toMs)
{
    const auto frameAt = [](std::uint32_t ms) { return static_cast<std::size_t>(ms) * AudioOutput::sampleRate / 1000; };
    const std::size_t from = std::min(rendered.size(), 2 * frameAt(fromMs));
    const std::size_t to = std::min(rendered.size(), 2 * frameAt(toMs));
    return std::span<const float>(rendered).subspan(from, to - from);
}

/** A level below which a listener hears nothing (about −80 dBFS). */
inline constexpr double silence = 1e-4;

} // namespace windlecroft::test

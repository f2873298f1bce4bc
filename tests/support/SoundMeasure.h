#pragma once

#include "audio/AudioOutput.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

/** What SDL's disk driver wrote: 32-bit float stereo samples, as the player opens its device. */
struct Heard {
    double seconds = 0;
    double rms = 0;
    float peak = 0;
};

/** The samples SDL's disk driver wrote from byte offset on (a multiple of 4). */
inline std::vector<float> heardSamples(const std::filesystem::path& raw, std::uintmax_t offset = 0)
{
    std::ifstream file(raw, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(offset));
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<float> samples(bytes.size() / sizeof(float));
    if (!samples.empty())
        std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
}

inline Heard listen(const std::filesystem::path& raw)
{
    const std::vector<float> samples = heardSamples(raw);
    Heard heard;
    heard.seconds = static_cast<double>(samples.size()) / (2 * AudioOutput::sampleRate);
    for (float value : samples)
        heard.peak = std::max(heard.peak, std::abs(value));
    heard.rms = rms(samples);
    return heard;
}

/** A level below which a listener hears nothing (about −80 dBFS). */
inline constexpr double silence = 1e-4;

} // namespace windlecroft::test

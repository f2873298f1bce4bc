#include "music/ToneEncoder.h"

#include <cmath>
#include <numbers>

namespace windlecroft::music {

std::vector<std::uint8_t> encodeTone(const Tone& tone)
{
    const auto frames = static_cast<std::size_t>(std::lround(tone.seconds * tone.sampleRate));
    const auto channels = static_cast<std::size_t>(tone.channels);
    std::vector<float> samples(frames * channels);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / tone.sampleRate;
        const auto value = static_cast<float>(tone.amplitude * std::sin(2.0 * std::numbers::pi * tone.frequency * t));
        for (std::size_t c = 0; c < channels; ++c)
            samples[i * channels + c] = value;
    }
    return encodePcm(tone.format, tone.sampleRate, tone.channels, samples);
}

} // namespace windlecroft::music

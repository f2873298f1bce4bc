#include "audio/FrequencyAnalyzer.h"

#include <kiss_fftr.h>

#include <array>
#include <cmath>
#include <new>
#include <numbers>

namespace windlecroft {

FrequencyAnalyzer::FrequencyAnalyzer()
    : config_(kiss_fftr_alloc(static_cast<int>(fftSize), 0, nullptr, nullptr))
{
    if (!config_)
        throw std::bad_alloc();
    // The periodic Hann window: its coherent gain is exactly one half.
    for (std::size_t n = 0; n < fftSize; ++n)
        window_[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) / fftSize));
}

FrequencyAnalyzer::~FrequencyAnalyzer() { kiss_fftr_free(config_); }

void FrequencyAnalyzer::analyze(std::span<const float, fftSize> samples, std::span<float, binCount> magnitudes)
{
    for (std::size_t n = 0; n < fftSize; ++n)
        windowed_[n] = samples[n] * window_[n];
    std::array<kiss_fft_cpx, binCount + 1> bins;
    kiss_fftr(config_, windowed_.data(), bins.data());
    // A sine of amplitude A gives |X| = A × N / 2 without a window, half of that with Hann.
    constexpr float scale = 4.0f / static_cast<float>(fftSize);
    for (std::size_t k = 0; k < binCount; ++k)
        magnitudes[k] = std::sqrt(bins[k].r * bins[k].r + bins[k].i * bins[k].i) * scale;
}

} // namespace windlecroft

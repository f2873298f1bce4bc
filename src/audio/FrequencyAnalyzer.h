#pragma once

#include <array>
#include <cstddef>
#include <span>

struct kiss_fftr_state;

namespace windlecroft {

/**
 * A 1024-point real FFT with a Hann window, giving 512 magnitudes from DC up to just below half
 * the sample rate (bin k is centred on k × rate / 1024). Magnitudes are scaled so that a full-scale
 * sine in the middle of a bin gives 1. One analyzer must not be used by two threads at once.
 */
class FrequencyAnalyzer {
public:
    static constexpr std::size_t fftSize = 1024;
    static constexpr std::size_t binCount = fftSize / 2;

    FrequencyAnalyzer();
    ~FrequencyAnalyzer();
    FrequencyAnalyzer(const FrequencyAnalyzer&) = delete;
    FrequencyAnalyzer& operator=(const FrequencyAnalyzer&) = delete;

    void analyze(std::span<const float, fftSize> samples, std::span<float, binCount> magnitudes);

private:
    kiss_fftr_state* config_;
    std::array<float, fftSize> window_;
    std::array<float, fftSize> windowed_{};
};

} // namespace windlecroft

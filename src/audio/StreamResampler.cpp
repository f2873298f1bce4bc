#include "audio/StreamResampler.h"

#include <soxr.h>

#include <utility>

namespace windlecroft {

StreamResampler::StreamResampler(double inputRate, double outputRate) : ratio_(inputRate / outputRate)
{
    soxr_error_t error = nullptr;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_ = soxr_create(inputRate, outputRate, 2, &error, &io, &quality, nullptr);
    if (error)
        soxr_ = nullptr;
}

StreamResampler::~StreamResampler()
{
    if (soxr_)
        soxr_delete(soxr_);
}

std::pair<std::size_t, std::size_t> StreamResampler::process(std::span<const float> input, std::span<float> output)
{
    std::size_t consumed = 0;
    std::size_t produced = 0;
    // A null input pointer is how libsoxr is told that the input has ended.
    soxr_process(soxr_, input.empty() ? nullptr : input.data(), input.size() / 2, &consumed, output.data(), output.size() / 2, &produced);
    return {consumed, produced};
}

void StreamResampler::reset() { soxr_clear(soxr_); }

double StreamResampler::delayInInputFrames() const { return soxr_delay(soxr_) * ratio_; }

} // namespace windlecroft

#include "audio/SndfileSource.h"

#include "audio/StreamInput.h"

#include <algorithm>
#include <cstdio>

namespace windlecroft {

namespace {

constexpr std::size_t blockFrames = 1024;

StreamInput& inputOf(void* source) { return *static_cast<StreamInput*>(source); }

sf_count_t inputLength(void* source) { return inputOf(source).size(); }

sf_count_t seekInput(sf_count_t offset, int whence, void* source)
{
    StreamInput& input = inputOf(source);
    return input.seek(offset, whence) ? input.tell() : -1;
}

sf_count_t readInput(void* out, sf_count_t count, void* source)
{
    return count <= 0 ? 0 : static_cast<sf_count_t>(inputOf(source).read(out, static_cast<std::size_t>(count)));
}

sf_count_t writeNothing(const void*, sf_count_t, void*) { return 0; }

sf_count_t tellInput(void* source) { return inputOf(source).tell(); }

} // namespace

std::unique_ptr<SndfileSource> SndfileSource::open(StreamInput& input)
{
    std::unique_ptr<SndfileSource> source(new SndfileSource());
    source->io_ = SF_VIRTUAL_IO{inputLength, seekInput, readInput, writeNothing, tellInput};
    source->file_ = sf_open_virtual(&source->io_, SFM_READ, &source->info_, &input);
    SF_INFO& info = source->info_;
    if (!source->file_ || info.channels < 1 || info.samplerate < 1)
        return nullptr;
    // For some formats the frame count is only an estimate or missing; reading goes on until the
    // library itself delivers nothing more.
    info.frames = std::max<sf_count_t>(info.frames, 0);
    source->native_.resize(blockFrames * static_cast<std::size_t>(info.channels));
    return source;
}

SndfileSource::~SndfileSource()
{
    if (file_)
        sf_close(file_);
}

StreamSource::Block SndfileSource::read(std::span<float> stereo)
{
    const std::size_t frames = std::min(stereo.size() / 2, blockFrames);
    const sf_count_t got = sf_readf_float(file_, native_.data(), static_cast<sf_count_t>(frames));
    if (got <= 0)
        return {};
    const auto channels = static_cast<std::size_t>(info_.channels);
    for (std::size_t i = 0; i < static_cast<std::size_t>(got); ++i) {
        const float left = native_[i * channels];
        stereo[2 * i] = left;
        stereo[2 * i + 1] = channels > 1 ? native_[i * channels + 1] : left;
    }
    return {static_cast<std::size_t>(got), info_.samplerate};
}

bool SndfileSource::seek(std::uint64_t frame)
{
    if (frame > length())
        return false;
    return sf_seek(file_, static_cast<sf_count_t>(frame), SEEK_SET) >= 0;
}

} // namespace windlecroft

#include "audio/VorbisSource.h"

#include "audio/StreamInput.h"

// The header's own callback sets are not used; without this each file including it gets unused copies.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

namespace windlecroft {

namespace {

StreamInput& inputOf(void* source) { return *static_cast<StreamInput*>(source); }

std::size_t readInput(void* out, std::size_t size, std::size_t count, void* source)
{
    if (size == 0 || count > std::numeric_limits<std::size_t>::max() / size)
        return 0;
    return inputOf(source).read(out, size * count) / size;
}

int seekInput(void* source, ogg_int64_t offset, int whence) { return inputOf(source).seek(offset, whence) ? 0 : -1; }

long tellInput(void* source) { return static_cast<long>(inputOf(source).tell()); }

// The input belongs to the decoder, which closes it itself.
constexpr ov_callbacks inputCallbacks{readInput, seekInput, nullptr, tellInput};

// How much of each channel goes to the left and the right side, in Vorbis' channel order for
// one to eight channels; the low-frequency channel is left out. Each side's weights add up to 1.
struct Weights {
    float left;
    float right;
};
constexpr float h = 0.7071f; // a centre or surround channel, 3 dB down on each side it reaches

std::array<Weights, 8> weightsFor(int channels)
{
    switch (channels) {
    case 1: return {{{1, 1}}};
    case 3: return {{{1, 0}, {h, h}, {0, 1}}};
    case 4: return {{{1, 0}, {0, 1}, {h, 0}, {0, h}}};
    case 5:
    case 6: return {{{1, 0}, {h, h}, {0, 1}, {h, 0}, {0, h}}};
    case 7: return {{{1, 0}, {h, h}, {0, 1}, {h, 0}, {0, h}, {0.5f, 0.5f}}};
    case 8: return {{{1, 0}, {h, h}, {0, 1}, {h, 0}, {0, h}, {h, 0}, {0, h}}};
    default: return {{{1, 0}, {0, 1}}}; // stereo; more than eight channels have no set order
    }
}

void downmix(float** pcm, int channels, std::size_t frames, std::span<float> stereo)
{
    // Stereo and mono need no weighing, only interleaving.
    if (channels <= 2) {
        const float* left = pcm[0];
        const float* right = pcm[channels - 1];
        for (std::size_t i = 0; i < frames; ++i) {
            stereo[2 * i] = left[i];
            stereo[2 * i + 1] = right[i];
        }
        return;
    }
    const std::array<Weights, 8> weights = weightsFor(channels);
    const int used = std::min(channels, 8);
    float leftSum = 0;
    float rightSum = 0;
    for (int c = 0; c < used; ++c) {
        leftSum += weights[static_cast<std::size_t>(c)].left;
        rightSum += weights[static_cast<std::size_t>(c)].right;
    }
    for (std::size_t i = 0; i < frames; ++i) {
        float left = 0;
        float right = 0;
        for (int c = 0; c < used; ++c) {
            left += pcm[c][i] * weights[static_cast<std::size_t>(c)].left;
            right += pcm[c][i] * weights[static_cast<std::size_t>(c)].right;
        }
        stereo[2 * i] = left / leftSum;
        stereo[2 * i + 1] = right / rightSum;
    }
}

} // namespace

VorbisSource::VorbisSource() : file_(std::make_unique<OggVorbis_File>()) {}

VorbisSource::~VorbisSource()
{
    if (opened_)
        ov_clear(file_.get());
}

std::unique_ptr<VorbisSource> VorbisSource::open(StreamInput& input)
{
    std::unique_ptr<VorbisSource> source(new VorbisSource());
    // On failure the library has cleared the file itself.
    if (ov_open_callbacks(&input, source->file_.get(), nullptr, 0, inputCallbacks) != 0)
        return nullptr;
    source->opened_ = true;
    if (!source->indexChains())
        return nullptr;
    return source;
}

bool VorbisSource::indexChains()
{
    OggVorbis_File* file = file_.get();
    const vorbis_info* first = ov_info(file, 0);
    if (!first || first->rate < 1 || first->channels < 1)
        return false;
    // An input the library could not seek in has only its first chain and no known length.
    if (!ov_seekable(file))
        return true;
    const long count = ov_streams(file);
    std::int64_t sample = 0;
    double frame = 0;
    for (int i = 0; i < count; ++i) {
        const vorbis_info* info = ov_info(file, i);
        const ogg_int64_t samples = ov_pcm_total(file, i);
        if (!info || info->rate < 1 || info->rate > std::numeric_limits<int>::max() || samples < 0)
            return false;
        chains_.push_back(
            {sample, samples, static_cast<std::uint64_t>(std::llround(frame)), static_cast<int>(info->rate)});
        sample += samples;
        frame += static_cast<double>(samples) * static_cast<double>(first->rate) / static_cast<double>(info->rate);
    }
    length_ = static_cast<std::uint64_t>(std::llround(frame));
    // After indexing a chained file the library reads on from the start of its last chain; a
    // seek back to the first byte starts playback at the beginning.
    if (chains_.size() > 1)
        ov_raw_seek(file, 0);
    return true;
}

int VorbisSource::rate() const
{
    const vorbis_info* info = ov_info(file_.get(), 0);
    return static_cast<int>(std::min<long>(info->rate, std::numeric_limits<int>::max()));
}

int VorbisSource::channels() const { return ov_info(file_.get(), 0)->channels; }

StreamSource::Block VorbisSource::read(std::span<float> stereo)
{
    const int wanted = static_cast<int>(std::min<std::size_t>(stereo.size() / 2, 4096));
    if (wanted == 0)
        return {};
    for (;;) {
        float** pcm = nullptr;
        int chain = 0;
        const long got = ov_read_float(file_.get(), &pcm, wanted, &chain);
        // A hole is data lost between two pages; the library has passed it and goes on after it.
        if (got == OV_HOLE)
            continue;
        if (got <= 0)
            return {};
        const vorbis_info* info = ov_info(file_.get(), chain);
        if (!info || info->channels < 1 || info->rate < 1 || info->rate > std::numeric_limits<int>::max())
            return {};
        const auto frames = static_cast<std::size_t>(got);
        downmix(pcm, info->channels, frames, stereo);
        return {frames, static_cast<int>(info->rate)};
    }
}

bool VorbisSource::seek(std::uint64_t frame)
{
    if (chains_.empty() || frame > length_)
        return false;
    // The last chain that starts at or before the frame (the first starts at 0).
    const auto after = std::upper_bound(chains_.begin(), chains_.end(), frame,
                                        [](std::uint64_t f, const Chain& chain) { return f < chain.firstFrame; });
    const Chain& chain = *std::prev(after);
    const double intoChain = static_cast<double>(frame - chain.firstFrame) * chain.rate / rate();
    const std::int64_t sample = chain.firstSample + std::min<std::int64_t>(chain.samples, std::llround(intoChain));
    return ov_pcm_seek(file_.get(), sample) == 0;
}

} // namespace windlecroft

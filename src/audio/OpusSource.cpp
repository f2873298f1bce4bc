#include "audio/OpusSource.h"

#include "audio/StreamInput.h"

#include <opus/opusfile.h>

#include <algorithm>
#include <limits>

namespace windlecroft {

namespace {

StreamInput& inputOf(void* source) { return *static_cast<StreamInput*>(source); }

int readInput(void* source, unsigned char* out, int count)
{
    return count <= 0 ? 0 : static_cast<int>(inputOf(source).read(out, static_cast<std::size_t>(count)));
}

int seekInput(void* source, opus_int64 offset, int whence) { return inputOf(source).seek(offset, whence) ? 0 : -1; }

opus_int64 tellInput(void* source) { return inputOf(source).tell(); }

// The input belongs to the decoder, which closes it itself.
constexpr OpusFileCallbacks inputCallbacks{readInput, seekInput, tellInput, nullptr};

} // namespace

std::unique_ptr<OpusSource> OpusSource::open(StreamInput& input)
{
    int error = 0;
    OggOpusFile* file = op_open_callbacks(&input, &inputCallbacks, nullptr, 0, &error);
    if (!file)
        return nullptr;
    return std::unique_ptr<OpusSource>(new OpusSource(file));
}

OpusSource::~OpusSource() { op_free(file_); }

int OpusSource::channels() const { return op_channel_count(file_, 0); }

std::uint64_t OpusSource::length() const
{
    // Negative when the library could not seek in the input, which leaves the length unknown.
    return static_cast<std::uint64_t>(std::max<ogg_int64_t>(op_pcm_total(file_, -1), 0));
}

StreamSource::Block OpusSource::read(std::span<float> stereo)
{
    const int wanted = static_cast<int>(std::min<std::size_t>(stereo.size(), 2 * 4096) & ~std::size_t{1});
    if (wanted == 0)
        return {};
    for (;;) {
        const int got = op_read_float_stereo(file_, stereo.data(), wanted);
        // A hole is data lost between two pages; the library has passed it and goes on after it.
        if (got == OP_HOLE)
            continue;
        if (got <= 0)
            return {};
        return {static_cast<std::size_t>(got), decodingRate};
    }
}

bool OpusSource::seek(std::uint64_t frame)
{
    if (frame > length())
        return false;
    return op_pcm_seek(file_, static_cast<ogg_int64_t>(frame)) == 0;
}

} // namespace windlecroft

#include "audio/Mp3Source.h"

#include "audio/StreamInput.h"

#include <mpg123.h>

#include <algorithm>

namespace windlecroft {

namespace {

StreamInput& inputOf(void* source) { return *static_cast<StreamInput*>(source); }

mpg123_ssize_t readInput(void* source, void* out, std::size_t count)
{
    return static_cast<mpg123_ssize_t>(inputOf(source).read(out, count));
}

off_t seekInput(void* source, off_t offset, int whence)
{
    StreamInput& input = inputOf(source);
    return input.seek(offset, whence) ? static_cast<off_t>(input.tell()) : -1;
}

// Calls of read that deliver nothing in a row before a read gives up: a change of format is
// announced by such a call, and a stream that only changes formats plays nothing.
constexpr int maxEmptyReads = 16;

} // namespace

std::unique_ptr<Mp3Source> Mp3Source::open(StreamInput& input)
{
    // Needed by libraries before 1.27, harmless after; one call for the process.
    [[maybe_unused]] static const int initialised = mpg123_init();
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (!handle)
        return nullptr;
    std::unique_ptr<Mp3Source> source(new Mp3Source(handle));
    // Float output at the stream's own rate and channel count; nothing printed on stderr; ID3v2
    // tags skipped by their size without being parsed; the input closed by its owner.
    const bool ready
        = mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS | MPG123_SKIP_ID3V2, 0) == MPG123_OK
        && mpg123_format_none(handle) == MPG123_OK
        && mpg123_format2(handle, 0, MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32) == MPG123_OK
        && mpg123_replace_reader_handle(handle, readInput, seekInput, nullptr) == MPG123_OK
        && mpg123_open_handle(handle, &input) == MPG123_OK;
    if (!ready || !source->takeFormat())
        return nullptr;
    source->firstRate_ = source->rate_;
    source->firstChannels_ = source->channels_;
    // The scan reads every frame header without decoding, for a length that no Xing or VBRI
    // header decides, and fills the seek index; it then returns to the start. It reads the whole
    // file, a few milliseconds for ten minutes of music.
    if (mpg123_scan(handle) != MPG123_OK)
        return nullptr;
    const off_t length = mpg123_length(handle);
    // No samples at all: whatever the library took for a frame header was none.
    if (length <= 0)
        return nullptr;
    source->length_ = static_cast<std::uint64_t>(length);
    return source;
}

Mp3Source::~Mp3Source() { mpg123_delete(handle_); }

bool Mp3Source::takeFormat()
{
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK || encoding != MPG123_ENC_FLOAT_32 ||
        channels < 1 || channels > 2 || rate < 1 || rate > 192000) {
        channels_ = 0;
        return false;
    }
    rate_ = static_cast<int>(rate);
    channels_ = channels;
    return true;
}

StreamSource::Block Mp3Source::read(std::span<float> stereo)
{
    const std::size_t frames = std::min<std::size_t>(stereo.size() / 2, 4096);
    for (int attempt = 0; attempt < maxEmptyReads && frames > 0 && channels_ > 0; ++attempt) {
        // What this call delivers is in the format known before it; a new one applies to the next.
        const int rate = rate_;
        const auto channels = static_cast<std::size_t>(channels_);
        std::size_t bytes = 0;
        const int result = mpg123_read(handle_, stereo.data(), frames * channels * sizeof(float), &bytes);
        const std::size_t got = bytes / (channels * sizeof(float));
        if (result == MPG123_NEW_FORMAT)
            takeFormat();
        if (got > 0) {
            // A mono frame goes to both sides; spread from the back, where nothing is overwritten unread.
            if (channels == 1) {
                for (std::size_t i = got; i-- > 0;)
                    stereo[2 * i] = stereo[2 * i + 1] = stereo[i];
            }
            return {got, rate};
        }
        // The end of the stream, or damage the library cannot read past.
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
            return {};
    }
    return {};
}

bool Mp3Source::seek(std::uint64_t frame)
{
    if (frame > length_)
        return false;
    return mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) >= 0;
}

} // namespace windlecroft

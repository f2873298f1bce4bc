#include "audio/StreamDecoder.h"

#include "base/RegularFile.h"
#include "audio/AudioOutput.h"

#include <algorithm>
#include <cstring>

namespace windlecroft {

namespace {

constexpr std::size_t blockFrames = 1024;

// libsndfile reads memory through these callbacks; user is the decoder's MemoryCursor.
StreamDecoder::MemoryCursor& cursorOf(void* user) { return *static_cast<StreamDecoder::MemoryCursor*>(user); }

sf_count_t memoryLength(void* user) { return static_cast<sf_count_t>(cursorOf(user).data.size()); }

sf_count_t memorySeek(sf_count_t offset, int whence, void* user)
{
    auto& cursor = cursorOf(user);
    const auto size = static_cast<sf_count_t>(cursor.data.size());
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? cursor.position : size;
    const sf_count_t target = base + offset;
    if (target < 0 || target > size)
        return -1;
    cursor.position = target;
    return target;
}

sf_count_t memoryRead(void* out, sf_count_t count, void* user)
{
    auto& cursor = cursorOf(user);
    const sf_count_t available = static_cast<sf_count_t>(cursor.data.size()) - cursor.position;
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, std::max<sf_count_t>(available, 0));
    if (n > 0)
        std::memcpy(out, cursor.data.data() + cursor.position, static_cast<std::size_t>(n));
    cursor.position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t memoryTell(void* user) { return cursorOf(user).position; }

} // namespace

std::unique_ptr<StreamDecoder> StreamDecoder::open(std::span<const std::uint8_t> data)
{
    std::unique_ptr<StreamDecoder> decoder(new StreamDecoder());
    decoder->memory_.data = data;
    decoder->io_ = SF_VIRTUAL_IO{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    decoder->file_ = sf_open_virtual(&decoder->io_, SFM_READ, &decoder->info_, &decoder->memory_);
    if (!decoder->prepare())
        return nullptr;
    return decoder;
}

std::unique_ptr<StreamDecoder> StreamDecoder::open(const std::filesystem::path& file)
{
    std::unique_ptr<StreamDecoder> decoder(new StreamDecoder());
    // Decoded as it plays, straight from the file; only a regular file is handed to the library.
    RegularFile source(file);
    if (!source.isOpen())
        return nullptr;
    decoder->file_ = sf_open_fd(source.release(), SFM_READ, &decoder->info_, SF_TRUE);
    if (!decoder->prepare())
        return nullptr;
    return decoder;
}

StreamDecoder::~StreamDecoder()
{
    if (file_)
        sf_close(file_);
}

bool StreamDecoder::prepare()
{
    if (!file_ || info_.channels < 1 || info_.samplerate < 1)
        return false;
    if (info_.frames < 0)
        info_.frames = 0;
    native_.resize(blockFrames * static_cast<std::size_t>(info_.channels));
    if (info_.samplerate != AudioOutput::sampleRate) {
        resampler_ = std::make_unique<StreamResampler>(info_.samplerate, AudioOutput::sampleRate);
        if (!resampler_->valid())
            return false;
        input_.resize(2 * blockFrames);
    }
    return true;
}

std::size_t StreamDecoder::readSource(std::span<float> stereo)
{
    const std::size_t frames = std::min(stereo.size() / 2, blockFrames);
    // For some formats the frame count in the header is only an estimate, so reading goes on
    // until the decoder itself delivers nothing more.
    const sf_count_t got = sf_readf_float(file_, native_.data(), static_cast<sf_count_t>(frames));
    if (got <= 0)
        return 0;
    const auto channels = static_cast<std::size_t>(info_.channels);
    for (std::size_t i = 0; i < static_cast<std::size_t>(got); ++i) {
        const float left = native_[i * channels];
        const float right = channels > 1 ? native_[i * channels + 1] : left;
        stereo[2 * i] = left;
        stereo[2 * i + 1] = right;
    }
    return static_cast<std::size_t>(got);
}

std::size_t StreamDecoder::render(std::span<float> out)
{
    if (resampler_)
        return renderResampled(out);
    const std::size_t frames = out.size() / 2;
    std::size_t produced = 0;
    while (produced < frames) {
        const std::size_t got = readSource(out.subspan(2 * produced));
        if (got == 0)
            break;
        produced += got;
        sourceFrames_ += got;
    }
    return produced;
}

std::size_t StreamDecoder::renderResampled(std::span<float> out)
{
    const std::size_t frames = out.size() / 2;
    std::size_t produced = 0;
    while (produced < frames) {
        if (inputOffset_ == inputFrames_ && !sourceEnded_) {
            inputOffset_ = 0;
            inputFrames_ = readSource(input_);
            sourceEnded_ = inputFrames_ == 0;
        }
        // Once the file has ended an empty input drains what the resampler still holds.
        const auto pending = std::span<const float>(input_).subspan(2 * inputOffset_, 2 * (inputFrames_ - inputOffset_));
        const auto [consumed, made] = resampler_->process(pending, out.subspan(2 * produced));
        inputOffset_ += consumed;
        sourceFrames_ += consumed;
        produced += made;
        if (sourceEnded_ && made == 0)
            break;
    }
    return produced;
}

void StreamDecoder::restart() { setPosition(0); }

std::uint64_t StreamDecoder::bytesPerFrame() const { return 2 * static_cast<std::uint64_t>(info_.channels); }

std::uint64_t StreamDecoder::position() const
{
    double frames = static_cast<double>(sourceFrames_);
    // Frames inside the resampler have been taken from the file but not heard yet.
    if (resampler_)
        frames = std::max(0.0, frames - resampler_->delayInInputFrames());
    return static_cast<std::uint64_t>(frames) * bytesPerFrame();
}

bool StreamDecoder::setPosition(std::uint64_t position)
{
    const std::uint64_t frame = position / bytesPerFrame();
    if (frame > static_cast<std::uint64_t>(info_.frames))
        return false;
    if (sf_seek(file_, static_cast<sf_count_t>(frame), SEEK_SET) < 0)
        return false;
    sourceFrames_ = frame;
    if (resampler_) {
        resampler_->reset();
        inputOffset_ = inputFrames_ = 0;
        sourceEnded_ = false;
    }
    return true;
}

std::uint64_t StreamDecoder::length() const { return static_cast<std::uint64_t>(info_.frames) * bytesPerFrame(); }

std::uint64_t StreamDecoder::bytesPerSecond() const { return static_cast<std::uint64_t>(info_.samplerate) * bytesPerFrame(); }

} // namespace windlecroft

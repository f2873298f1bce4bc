#include "audio/StreamDecoder.h"

#include "audio/AudioOutput.h"
#include "audio/StreamRecognition.h"

#include <algorithm>
#include <tuple>

namespace windlecroft {

namespace {

constexpr std::size_t blockFrames = 1024;

// Sample rates a section may have; a header claiming another is damaged, and the resampler
// would spend unbounded time or memory on it.
constexpr int minSectionRate = 1000;
constexpr int maxSectionRate = 768000;

bool playableRate(int rate) { return rate >= minSectionRate && rate <= maxSectionRate; }

} // namespace

StreamDecoder::StreamDecoder(std::unique_ptr<StreamInput> input) : input_(std::move(input)), block_(2 * blockFrames) {}

StreamDecoder::~StreamDecoder() = default;

std::unique_ptr<StreamDecoder> StreamDecoder::open(std::span<const std::uint8_t> data)
{
    return prepare(StreamInput::fromMemory(data));
}

std::unique_ptr<StreamDecoder> StreamDecoder::open(const std::filesystem::path& file)
{
    std::unique_ptr<StreamInput> input = StreamInput::fromFile(file);
    if (!input)
        return nullptr;
    return prepare(std::move(input));
}

std::unique_ptr<StreamDecoder> StreamDecoder::prepare(std::unique_ptr<StreamInput> input)
{
    std::unique_ptr<StreamDecoder> decoder(new StreamDecoder(std::move(input)));
    decoder->source_ = openStreamSource(*decoder->input_);
    const StreamSource* source = decoder->source_.get();
    if (!source || source->channels() < 1 || !playableRate(source->rate()) || !decoder->startSection(source->rate()))
        return nullptr;
    return decoder;
}

bool StreamDecoder::startSection(int rate)
{
    sectionRate_ = rate;
    if (rate == AudioOutput::sampleRate) {
        resampler_.reset();
        return true;
    }
    resampler_ = std::make_unique<StreamResampler>(rate, AudioOutput::sampleRate);
    return resampler_->valid();
}

double StreamDecoder::timelineScale() const { return static_cast<double>(source_->rate()) / sectionRate_; }

void StreamDecoder::readBlock()
{
    const StreamSource::Block block = source_->read(block_);
    blockOffset_ = 0;
    // A section at a rate no file plays at is damage: the stream ends before it.
    blockFrames_ = playableRate(block.rate) ? block.frames : 0;
    blockRate_ = block.rate;
    sourceEnded_ = blockFrames_ == 0;
}

std::size_t StreamDecoder::render(std::span<float> out)
{
    const std::size_t frames = out.size() / 2;
    std::size_t produced = 0;
    while (produced < frames) {
        if (blockOffset_ == blockFrames_ && !sourceEnded_)
            readBlock();
        const bool pending = blockOffset_ < blockFrames_;
        if (!pending || blockRate_ != sectionRate_) {
            // The end of the stream or of a section: what the resampler still holds comes out
            // first (an empty input drains it), then the next section starts at its own rate.
            if (resampler_) {
                const std::size_t made = resampler_->process({}, out.subspan(2 * produced)).second;
                produced += made;
                if (made > 0)
                    continue;
            }
            if (!pending)
                break;
            // The new section's resampler is made here, on the output's thread: once per change
            // of rate, which only chained files have.
            if (!startSection(blockRate_)) {
                sourceEnded_ = true;
                blockOffset_ = blockFrames_ = 0;
                resampler_.reset();
                break;
            }
            continue;
        }
        const auto block = std::span<const float>(block_).subspan(2 * blockOffset_, 2 * (blockFrames_ - blockOffset_));
        std::size_t consumed = 0;
        std::size_t made = 0;
        if (resampler_) {
            std::tie(consumed, made) = resampler_->process(block, out.subspan(2 * produced));
        } else {
            consumed = made = std::min(blockFrames_ - blockOffset_, frames - produced);
            std::copy_n(block.begin(), 2 * made, out.begin() + static_cast<std::ptrdiff_t>(2 * produced));
        }
        blockOffset_ += consumed;
        produced += made;
        timeline_ += static_cast<double>(consumed) * timelineScale();
    }
    return produced;
}

void StreamDecoder::restart() { setPosition(0); }

std::uint64_t StreamDecoder::bytesPerFrame() const { return 2 * static_cast<std::uint64_t>(source_->channels()); }

std::uint64_t StreamDecoder::position() const
{
    double frames = timeline_;
    // Frames inside the resampler have been taken from the file but not heard yet.
    if (resampler_)
        frames = std::max(0.0, frames - resampler_->delayInInputFrames() * timelineScale());
    return static_cast<std::uint64_t>(frames) * bytesPerFrame();
}

bool StreamDecoder::setPosition(std::uint64_t position)
{
    const std::uint64_t frame = position / bytesPerFrame();
    if (frame > source_->length() || !source_->seek(frame))
        return false;
    timeline_ = static_cast<double>(frame);
    blockOffset_ = blockFrames_ = 0;
    sourceEnded_ = false;
    // The section there may have another rate; the next block tells, and starts it if so.
    if (resampler_)
        resampler_->reset();
    return true;
}

std::uint64_t StreamDecoder::length() const { return source_->length() * bytesPerFrame(); }

std::uint64_t StreamDecoder::bytesPerSecond() const
{
    return static_cast<std::uint64_t>(source_->rate()) * bytesPerFrame();
}

} // namespace windlecroft

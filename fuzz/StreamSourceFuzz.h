#pragma once

// What every stream target checks: one decoding library's source opened on a fuzzed file in
// memory, then the whole stream decoder on the same bytes (the content picks its library, as
// for a playlist entry). Decoding is bounded to a few seconds of audio per input.
#include "audio/StreamDecoder.h"
#include "audio/StreamInput.h"
#include "audio/StreamSource.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace windlecroft::fuzz {

inline constexpr std::size_t fuzzedBlockFrames = 1024;
inline constexpr int fuzzedBlocks = 64;

// Reads up to fuzzedBlocks blocks: each gives no more than asked, and frames only with a rate.
inline void readBlocks(StreamSource& source, std::vector<float>& stereo)
{
    for (int i = 0; i < fuzzedBlocks; ++i) {
        const StreamSource::Block block = source.read(stereo);
        if (block.frames == 0)
            return;
        if (block.frames > stereo.size() / 2 || block.rate < 1)
            std::abort();
    }
}

template <typename Source>
void fuzzSource(std::span<const std::uint8_t> file)
{
    const std::unique_ptr<StreamInput> input = StreamInput::fromMemory(file);
    const std::unique_ptr<Source> source = Source::open(*input);
    if (!source)
        return;
    if (source->rate() < 1 || source->channels() < 1)
        std::abort();
    std::vector<float> stereo(2 * fuzzedBlockFrames);
    readBlocks(*source, stereo);
    // Nothing lies beyond the length; the middle and the start can be sought (or refused).
    if (source->seek(source->length() + 1))
        std::abort();
    if (source->seek(source->length() / 2))
        readBlocks(*source, stereo);
    if (source->seek(0))
        readBlocks(*source, stereo);
}

inline void fuzzDecoder(std::span<const std::uint8_t> file)
{
    const std::unique_ptr<StreamDecoder> decoder = StreamDecoder::open(file);
    if (!decoder)
        return;
    std::vector<float> out(2 * 4096);
    for (const std::uint64_t target : {decoder->length() / 2, std::uint64_t{0}}) {
        for (int i = 0; i < 8; ++i)
            if (decoder->render(out) > out.size() / 2)
                std::abort();
        // A seek that succeeds lands on the whole frame at or before its target (a frame holds
        // at most 1024 channels of two bytes).
        if (decoder->setPosition(target) && (decoder->position() > target || target - decoder->position() >= 2048))
            std::abort();
    }
}

} // namespace windlecroft::fuzz

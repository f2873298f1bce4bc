#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace windlecroft {

/**
 * The most recent mono samples a channel played, kept for its spectrum: enough for a window of
 * `windowSize` ending anywhere in the output's last block (the output takes up to 4096 frames
 * at a time).
 */
class SampleHistory {
public:
    static constexpr std::size_t windowSize = 1024;
    static constexpr std::size_t size = 8192;

    void push(float sample)
    {
        samples_[next_] = sample;
        next_ = (next_ + 1) % size;
        ++pushed_;
    }

    /** Notes that the output begins a new block: what is pushed from now on is heard after what came before. */
    void markBlock() { blockStart_ = pushed_; }

    /** How many samples were pushed so far. */
    std::uint64_t pushed() const { return pushed_; }
    /** How many had been pushed when the output began its last block. */
    std::uint64_t blockStart() const { return blockStart_; }

    /**
     * Copies the window of samples that ends just before sample number end (counted as pushed()
     * counts), oldest first; an end later than pushed() or older than the history keeps is
     * moved to the nearest one it has. Never-written places are silence.
     */
    void copyWindow(std::uint64_t end, std::span<float, windowSize> out) const
    {
        end = std::clamp<std::uint64_t>(end, pushed_ > size - windowSize ? pushed_ - (size - windowSize) : 0, pushed_);
        // Place of sample number end in the ring, then back by a window.
        const std::size_t endPlace = (next_ + size - static_cast<std::size_t>(pushed_ - end)) % size;
        const std::size_t first = (endPlace + size - windowSize) % size;
        for (std::size_t i = 0; i < windowSize; ++i)
            out[i] = samples_[(first + i) % size];
    }

private:
    std::array<float, size> samples_{};
    std::size_t next_ = 0;
    std::uint64_t pushed_ = 0;
    std::uint64_t blockStart_ = 0;
};

} // namespace windlecroft

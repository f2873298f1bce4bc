#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace windlecroft {

/** The most recent mono samples a channel played, kept for its spectrum. */
class SampleHistory {
public:
    static constexpr std::size_t size = 1024;

    void push(float sample)
    {
        samples_[next_] = sample;
        next_ = (next_ + 1) % size;
        ++pushed_;
    }

    /** How many samples were pushed so far: the history changed when this did. */
    std::uint64_t pushed() const { return pushed_; }

    /** Copies the samples oldest first; never-written places are silence. */
    void copyTo(std::span<float, size> out) const
    {
        for (std::size_t i = 0; i < size; ++i)
            out[i] = samples_[(next_ + i) % size];
    }

private:
    std::array<float, size> samples_{};
    std::size_t next_ = 0;
    std::uint64_t pushed_ = 0;
};

} // namespace windlecroft

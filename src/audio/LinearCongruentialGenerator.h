#pragma once

#include <cstdint>

namespace windlecroft {

/**
 * The random source of the playlist's random order: state × 214013 + 2531011 modulo 2^32, each
 * draw giving bits 16..30 of the new state (0..32767). It starts at 1 and is never reseeded, so
 * every run draws the same sequence. Over its full period every value 0..32767 comes up, so a
 * loop that draws until it meets one of several allowed residues always ends.
 */
class LinearCongruentialGenerator {
public:
    int next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state_ = 1;
};

} // namespace windlecroft

#pragma once

#include "music/PcmEncoder.h"

#include <cstdint>
#include <vector>

namespace windlecroft::music {

using ToneFormat = StreamFormat;

/** What to encode: a sine tone, the same on every channel. */
struct Tone {
    ToneFormat format = ToneFormat::OggVorbis;
    int sampleRate = 44100;
    int channels = 2;
    double frequency = 1000.0;
    double seconds = 1.0;
    double amplitude = 0.5;
};

/** Encodes the tone with libsndfile into the bytes of a complete file of that format. */
std::vector<std::uint8_t> encodeTone(const Tone& tone);

} // namespace windlecroft::music

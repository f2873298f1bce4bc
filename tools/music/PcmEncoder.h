#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace windlecroft::music {

enum class StreamFormat { OggVorbis, Mp3 };

/**
 * Encodes interleaved float samples (-1..1, `channels` per frame) with libsndfile into the bytes
 * of a complete Ogg Vorbis or MP3 file. Throws std::runtime_error when libsndfile cannot encode
 * that format.
 */
std::vector<std::uint8_t> encodePcm(StreamFormat format, int sampleRate, int channels, std::span<const float> samples);

} // namespace windlecroft::music

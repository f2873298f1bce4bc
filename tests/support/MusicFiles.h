#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace windlecroft::test {

/** A sine tone, the same on every channel, faded in and out over fadeSeconds at its ends. */
struct PcmTone {
    int sampleRate = 44100;
    int channels = 2;
    double frequency = 1000.0;
    double seconds = 1.0;
    double amplitude = 0.5;
    double fadeSeconds = 0.0;
};

/** A 16-bit PCM WAV file of the tone. */
std::vector<std::uint8_t> wavFile(const PcmTone& tone);

/**
 * The tone as a file of the kind an extension names, made by the real encoder: "ogg" by oggenc
 * (Vorbis), "mp3" by lame (VBR, so with a Xing header and a LAME tag giving the encoder's delay
 * and padding), "flac" by flac, "opus" by opusenc and "wav" by wavFile. An Ogg stream's serial
 * number follows from the tone's frequency, rate and channel count. Options go to the encoder
 * before the file names. Throws std::runtime_error when the encoder is missing or fails.
 */
std::vector<std::uint8_t> encodedTone(const std::string& extension, const PcmTone& tone,
                                      const std::vector<std::string>& options = {});

/**
 * The MP3 file as tagging tools and downloads leave them: junk before it, an APEv2 tag (with
 * header) after its frames, before the ID3v1 tag the file ends with (when it has one), and junk
 * after that.
 */
std::vector<std::uint8_t> withTagsAndJunk(const std::vector<std::uint8_t>& mp3);

/**
 * The Ogg file with a second logical stream of a codec no player knows woven in, as a video
 * stream would be: its first page comes before all others, a page of it follows every page of
 * the file, and its last page ends the file.
 */
std::vector<std::uint8_t> multiplexedWithUnknownStream(std::span<const std::uint8_t> ogg);

/**
 * The MP3 file with the frame count of its Xing or Info header replaced by frames (the LAME
 * tag's checksum is left as it was). Throws std::runtime_error when the file has no such count.
 */
std::vector<std::uint8_t> withXingFrameCount(std::vector<std::uint8_t> mp3, std::uint32_t frames);

} // namespace windlecroft::test

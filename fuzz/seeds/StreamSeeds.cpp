// Seeds of the stream targets: short tones in each format, written by libsndfile (the real
// encoders are tools the build does not need), and the shapes that took the decoders' work:
// chained and multiplexed Ogg files, tags and junk around MPEG frames, a lying Xing header.
#include "Seeds.h"

#include "support/MusicFiles.h"

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace windlecroft::fuzz {

namespace {

// A tenth of a second of a tone in a libsndfile format, through a file in the temporary folder.
std::vector<std::uint8_t> sndfileTone(int format, int rate, int channels, double frequency)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("windlecroft-seed-" + std::to_string(::getpid()) + ".tmp");
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error(std::string("libsndfile cannot write a seed: ") + sf_strerror(nullptr));
    const int frames = rate / 10;
    std::vector<float> samples(static_cast<std::size_t>(frames * channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples[static_cast<std::size_t>(i * channels + c)] =
                static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * frequency * i / rate));
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(path);
    return bytes;
}

std::vector<std::uint8_t> joined(std::vector<std::uint8_t> first, const std::vector<std::uint8_t>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

constexpr int vorbis = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
constexpr int opus = SF_FORMAT_OGG | SF_FORMAT_OPUS;
constexpr int mp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

} // namespace

SeedSet vorbisSeeds()
{
    const std::vector<std::uint8_t> stereo = sndfileTone(vorbis, 44100, 2, 440);
    const std::vector<std::uint8_t> mono = sndfileTone(vorbis, 22050, 1, 880);
    return {
        {"stereo-44100", stereo},
        {"mono-22050", mono},
        {"chained-stereo-then-mono", joined(stereo, mono)},
        {"multiplexed-with-unknown-stream", test::multiplexedWithUnknownStream(stereo)},
    };
}

SeedSet opusSeeds()
{
    const std::vector<std::uint8_t> stereo = sndfileTone(opus, 48000, 2, 440);
    const std::vector<std::uint8_t> mono = sndfileTone(opus, 48000, 1, 880);
    return {
        {"stereo", stereo},
        {"mono", mono},
        {"chained-stereo-then-mono", joined(stereo, mono)},
        {"multiplexed-with-unknown-stream", test::multiplexedWithUnknownStream(mono)},
    };
}

SeedSet mp3Seeds()
{
    const std::vector<std::uint8_t> stereo = sndfileTone(mp3, 44100, 2, 440);
    const std::vector<std::uint8_t> mono = sndfileTone(mp3, 22050, 1, 880);
    // An ID3v2 tag of 16 bytes before the frames, junk and an ID3v1 tag after them.
    std::vector<std::uint8_t> tagged{'I', 'D', '3', 3, 0, 0, 0, 0, 0, 16};
    tagged.resize(26, 0);
    tagged = joined(tagged, mono);
    tagged.insert(tagged.end(), 300, 0x55);
    tagged.insert(tagged.end(), {'T', 'A', 'G'});
    tagged.resize(tagged.size() + 125, 0x20);
    SeedSet seeds{{"stereo-44100", stereo}, {"mono-22050", mono}, {"tags-and-junk", tagged}};
    try {
        seeds.emplace_back("lying-xing-frame-count", test::withXingFrameCount(stereo, 200000));
    } catch (const std::runtime_error&) {
        // An encoder that writes no Xing header leaves nothing to forge.
    }
    return seeds;
}

SeedSet sndfileSeeds()
{
    return {
        {"flac-16-bit", sndfileTone(SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 440)},
        {"wav-float-mono", sndfileTone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 22050, 1, 880)},
        {"wav-16-bit", test::wavFile({.sampleRate = 8000, .channels = 2, .frequency = 500, .seconds = 0.05})},
    };
}

} // namespace windlecroft::fuzz

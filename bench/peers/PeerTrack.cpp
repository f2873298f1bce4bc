// Writes the Ogg Vorbis file both players play in the side-by-side measurement: 90 s of a
// chord progression with a beat, so that every spectrum display has something to show.
#include "music/PcmEncoder.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: peer-track OUTPUT.ogg\n");
        return 2;
    }
    constexpr int rate = 44100;
    constexpr int seconds = 90;
    // Four chords of four notes (Hz), two seconds each, over and over.
    constexpr double chords[4][4] = {
        {130.81, 261.63, 329.63, 392.00},
        {110.00, 220.00, 261.63, 329.63},
        {87.31, 174.61, 220.00, 261.63},
        {98.00, 196.00, 246.94, 293.66},
    };
    std::vector<float> samples(static_cast<std::size_t>(rate) * seconds * 2);
    for (std::size_t frame = 0; frame < samples.size() / 2; ++frame) {
        const double t = static_cast<double>(frame) / rate;
        const auto& chord = chords[static_cast<int>(t / 2.0) % 4];
        double value = 0.0;
        for (int note = 0; note < 4; ++note)
            value += std::sin(2.0 * std::numbers::pi * chord[note] * t) * (note == 0 ? 0.3 : 0.15);
        // A beat four times a second: a decaying click of high partials.
        const double sinceBeat = std::fmod(t, 0.25);
        value += std::exp(-sinceBeat * 40.0) * 0.2 * std::sin(2.0 * std::numbers::pi * 3000.0 * t) *
            std::sin(2.0 * std::numbers::pi * 7100.0 * t);
        samples[frame * 2] = static_cast<float>(value * 0.8);
        samples[frame * 2 + 1] = static_cast<float>(value * 0.8);
    }
    const std::vector<std::uint8_t> bytes =
        windlecroft::music::encodePcm(windlecroft::music::StreamFormat::OggVorbis, rate, 2, samples);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}

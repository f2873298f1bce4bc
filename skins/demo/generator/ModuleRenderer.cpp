#include "ModuleRenderer.h"

#include "Timbre.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>

namespace windlecroft::demo {

namespace {

using music::TrackerCell;
using music::TrackerPattern;
using music::TrackerSample;
using music::TrackerSong;

// Samples sound at middle C when played at C-4; at this rate one cycle of middle C is 128 samples.
constexpr int sampleRate = 33488;
constexpr int cycle = 128;
constexpr double middleC = static_cast<double>(sampleRate) / cycle;
constexpr int rowsPerPattern = 64;

std::int16_t toSample(double value)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 24000.0));
}

// A sustained voice: harmonics that repeat exactly over the loop. The pad adds a second voice
// one cycle in a hundred sharp, so that the loop beats slowly like two players.
TrackerSample sustainedSample(Voice voice, const char* name)
{
    TrackerSample sample;
    sample.name = name;
    sample.rate = sampleRate;
    const int cycles = voice == Voice::Pad ? 100 : 1;
    const std::size_t loop = static_cast<std::size_t>(cycle * cycles);
    const std::size_t attack = voice == Voice::Pad ? static_cast<std::size_t>(sampleRate * 0.15) : voice == Voice::Lead ? 300 : 40;
    double peak = 0;
    std::vector<double> wave(attack + loop);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        double value = 0;
        for (int n = 1; n <= 16; ++n) {
            const double level = timbre::harmonic(voice, n);
            if (level == 0)
                continue;
            const double t = static_cast<double>(i) / static_cast<double>(loop);
            value += level * std::sin(2.0 * std::numbers::pi * n * cycles * t);
            if (voice == Voice::Pad)
                value += level * std::sin(2.0 * std::numbers::pi * n * (cycles + 1) * t + 0.7 * n);
        }
        wave[i] = value;
        peak = std::max(peak, std::abs(value));
    }
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double ramp = i < attack ? static_cast<double>(i) / static_cast<double>(attack) : 1.0;
        sample.data.push_back(toSample(ramp * wave[i] / peak));
    }
    sample.looped = true;
    sample.loopStart = attack;
    return sample;
}

TrackerSample struckSample(Voice voice, const char* name)
{
    TrackerSample sample;
    sample.name = name;
    sample.rate = sampleRate;
    sample.looped = false;
    const std::vector<float> wave = timbre::struck(voice, middleC, sampleRate);
    float peak = 1e-6f;
    for (float v : wave)
        peak = std::max(peak, std::abs(v));
    for (float v : wave)
        sample.data.push_back(toSample(v / peak));
    return sample;
}

const char* voiceName(Voice voice)
{
    switch (voice) {
    case Voice::Bass: return "bass";
    case Voice::Pad: return "pad";
    case Voice::Pluck: return "pluck";
    case Voice::Bell: return "bell";
    case Voice::Lead: return "lead";
    case Voice::Kick: return "kick";
    case Voice::Snare: return "snare";
    case Voice::Hat: return "hat";
    }
    return "voice";
}

// The sample's own loudness balances the voices: the volume column only carries the velocity.
int voiceVolume(Voice voice)
{
    switch (voice) {
    case Voice::Bass: return 48;
    case Voice::Pad: return 22;
    case Voice::Pluck: return 34;
    case Voice::Bell: return 40;
    case Voice::Lead: return 36;
    case Voice::Kick: return 56;
    case Voice::Snare: return 36;
    case Voice::Hat: return 24;
    }
    return 40;
}

struct Channel {
    Voice voice;
    int freeFrom = 0; // the step from which it holds no note
};

} // namespace

music::TrackerSong renderModule(const Score& score)
{
    TrackerSong song;
    song.title = score.title.substr(0, 20);
    song.speed = 6; // with tempo = bpm, six ticks a row make four rows a beat
    song.tempo = score.bpm;

    std::map<Voice, std::uint8_t> instrumentOf;
    for (const Note& note : score.notes) {
        if (instrumentOf.contains(note.voice))
            continue;
        song.samples.push_back(timbre::sustains(note.voice) ? sustainedSample(note.voice, voiceName(note.voice))
                                                            : struckSample(note.voice, voiceName(note.voice)));
        song.samples.back().volume = voiceVolume(note.voice);
        instrumentOf[note.voice] = static_cast<std::uint8_t>(song.samples.size());
    }

    // Give each note the first channel of its voice that is free, opening channels as needed.
    std::vector<Note> notes = score.notes;
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.step < b.step; });
    std::vector<Channel> channels;
    std::vector<std::size_t> channelOf(notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const Note& note = notes[i];
        auto free = std::find_if(channels.begin(), channels.end(),
                                 [&](const Channel& c) { return c.voice == note.voice && c.freeFrom <= note.step; });
        if (free == channels.end())
            free = channels.insert(channels.end(), Channel{note.voice});
        free->freeFrom = note.step + note.length;
        channelOf[i] = static_cast<std::size_t>(free - channels.begin());
    }
    song.channels = static_cast<int>(channels.size());

    // The last pattern is only as long as the piece needs, so that a short piece ends on time.
    const int rows = score.steps;
    std::vector<TrackerCell> grid(static_cast<std::size_t>(rows) * channels.size());
    const auto cell = [&](int row, std::size_t channel) -> TrackerCell& {
        return grid[static_cast<std::size_t>(row) * channels.size() + channel];
    };
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const Note& note = notes[i];
        if (note.step < 0 || note.step >= rows)
            throw std::logic_error("a note of \"" + score.title + "\" lies outside the piece");
        TrackerCell& start = cell(note.step, channelOf[i]);
        start.note = static_cast<std::uint8_t>(std::clamp(note.pitch - 11, 1, 96));
        start.instrument = instrumentOf[note.voice];
        start.volume = static_cast<std::uint8_t>(1 + std::lround(note.velocity * 64.0f));
        // A looped sample plays on until told: silence it where the note ends.
        const int end = note.step + note.length;
        if (timbre::sustains(note.voice) && end < rows && cell(end, channelOf[i]).note == 0)
            cell(end, channelOf[i]).volume = 1;
    }

    std::vector<std::vector<TrackerCell>> seen;
    for (int first = 0; first < rows; first += rowsPerPattern) {
        const int length = std::min(rowsPerPattern, rows - first);
        std::vector<TrackerCell> cells(grid.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(first) * channels.size()),
                                       grid.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(first + length) * channels.size()));
        auto same = std::find_if(seen.begin(), seen.end(), [&](const std::vector<TrackerCell>& other) {
            return std::equal(other.begin(), other.end(), cells.begin(), cells.end(), [](const TrackerCell& a, const TrackerCell& b) {
                return a.note == b.note && a.instrument == b.instrument && a.volume == b.volume && a.effect == b.effect && a.param == b.param;
            });
        });
        if (same == seen.end()) {
            TrackerPattern& pattern = song.addPattern(length);
            pattern.cells = cells;
            seen.push_back(std::move(cells));
            song.orders.push_back(static_cast<std::uint8_t>(seen.size() - 1));
        } else {
            song.orders.push_back(static_cast<std::uint8_t>(same - seen.begin()));
        }
    }
    return song;
}

} // namespace windlecroft::demo

#include "StreamRenderer.h"

#include "Timbre.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>

namespace windlecroft::demo {

namespace {

constexpr std::size_t tableSize = 2048;

// One cycle of a sustained voice, read at any pitch.
std::array<float, tableSize> cycleOf(Voice voice)
{
    std::array<float, tableSize> table{};
    float peak = 1e-6f;
    for (std::size_t i = 0; i < tableSize; ++i) {
        double value = 0;
        for (int n = 1; n <= 16; ++n)
            value += timbre::harmonic(voice, n) * std::sin(2.0 * std::numbers::pi * n * static_cast<double>(i) / tableSize);
        table[i] = static_cast<float>(value);
        peak = std::max(peak, std::abs(table[i]));
    }
    for (float& value : table)
        value /= peak;
    return table;
}

struct Envelope {
    double attack;
    double decay;
    double sustain;
    double release;
};

Envelope envelopeOf(Voice voice)
{
    switch (voice) {
    case Voice::Bass: return {0.005, 0.25, 0.6, 0.08};
    case Voice::Pad: return {0.35, 0.5, 0.85, 0.7};
    default: return {0.03, 0.12, 0.8, 0.15};
    }
}

float panOf(Voice voice, int pitch)
{
    switch (voice) {
    case Voice::Bass: return 0.0f;
    case Voice::Pad: return pitch % 2 == 0 ? -0.3f : 0.3f;
    case Voice::Pluck: return -0.35f;
    case Voice::Bell: return 0.3f;
    case Voice::Lead: return 0.15f;
    case Voice::Kick: return 0.0f;
    case Voice::Snare: return 0.1f;
    case Voice::Hat: return 0.4f;
    }
    return 0.0f;
}

float gainOf(Voice voice)
{
    switch (voice) {
    case Voice::Bass: return 0.55f;
    case Voice::Pad: return 0.16f;
    case Voice::Pluck: return 0.3f;
    case Voice::Bell: return 0.35f;
    case Voice::Lead: return 0.3f;
    case Voice::Kick: return 0.7f;
    case Voice::Snare: return 0.35f;
    case Voice::Hat: return 0.2f;
    }
    return 0.3f;
}

std::vector<float> sustained(Voice voice, const std::array<float, tableSize>& table, double frequency, double seconds, int rate)
{
    const Envelope envelope = envelopeOf(voice);
    const auto frames = static_cast<std::size_t>((seconds + envelope.release) * rate);
    std::vector<float> out(frames);
    double phase = 0;
    double detunedPhase = 0.37;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        double level;
        if (t < envelope.attack)
            level = t / envelope.attack;
        else if (t < envelope.attack + envelope.decay)
            level = 1.0 - (1.0 - envelope.sustain) * (t - envelope.attack) / envelope.decay;
        else
            level = envelope.sustain;
        if (t > seconds)
            level *= std::max(0.0, 1.0 - (t - seconds) / envelope.release);
        // The lead sings with a little vibrato once the note has settled.
        const double vibrato = voice == Voice::Lead && t > 0.2 ? 1.0 + 0.004 * std::sin(2.0 * std::numbers::pi * 5.0 * t) : 1.0;
        const auto read = [&table](double at) {
            const double position = at * tableSize;
            const auto index = static_cast<std::size_t>(position) % tableSize;
            const double fraction = position - std::floor(position);
            return table[index] * (1.0 - fraction) + table[(index + 1) % tableSize] * fraction;
        };
        double value = read(phase);
        phase += frequency * vibrato / rate;
        phase -= std::floor(phase);
        if (voice == Voice::Pad) {
            value = 0.5 * (value + read(detunedPhase));
            detunedPhase += frequency * 1.006 / rate;
            detunedPhase -= std::floor(detunedPhase);
        }
        out[i] = static_cast<float>(level * value);
    }
    return out;
}

} // namespace

std::vector<float> renderStream(const Score& score, int rate)
{
    const double tail = 2.0;
    const auto frames = static_cast<std::size_t>((score.seconds() + tail) * rate);
    std::vector<float> left(frames);
    std::vector<float> right(frames);
    std::map<Voice, std::array<float, tableSize>> tables;
    std::map<std::pair<Voice, int>, std::vector<float>> struckNotes;

    for (const Note& note : score.notes) {
        const auto start = static_cast<std::size_t>(note.step * score.secondsPerStep() * rate);
        const double frequency = timbre::frequencyOf(note.pitch);
        std::vector<float> sound;
        if (timbre::sustains(note.voice)) {
            auto table = tables.find(note.voice);
            if (table == tables.end())
                table = tables.emplace(note.voice, cycleOf(note.voice)).first;
            sound = sustained(note.voice, table->second, frequency, note.length * score.secondsPerStep(), rate);
        } else {
            // Struck notes of one pitch sound alike: render each once.
            auto cached = struckNotes.find({note.voice, note.pitch});
            if (cached == struckNotes.end())
                cached = struckNotes.emplace(std::pair{note.voice, note.pitch}, timbre::struck(note.voice, frequency, rate)).first;
            sound = cached->second;
        }
        const float pan = panOf(note.voice, note.pitch);
        const float gain = gainOf(note.voice) * note.velocity;
        const float toLeft = gain * std::sqrt(0.5f * (1.0f - pan));
        const float toRight = gain * std::sqrt(0.5f * (1.0f + pan));
        for (std::size_t i = 0; i < sound.size() && start + i < frames; ++i) {
            left[start + i] += sound[i] * toLeft;
            right[start + i] += sound[i] * toRight;
        }
    }

    // An echo three sixteenths late, crossing from side to side.
    const auto delay = static_cast<std::size_t>(3 * score.secondsPerStep() * rate);
    for (std::size_t i = delay; i < frames; ++i) {
        left[i] += 0.28f * right[i - delay];
        right[i] += 0.28f * left[i - delay];
    }

    float peak = 1e-6f;
    for (std::size_t i = 0; i < frames; ++i)
        peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
    const float scale = 0.89f / peak;
    std::vector<float> interleaved(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        // The last half second fades, so that the tail ends in silence.
        const double remaining = static_cast<double>(frames - i) / rate;
        const float fade = static_cast<float>(std::min(1.0, remaining / 0.5));
        interleaved[2 * i] = left[i] * scale * fade;
        interleaved[2 * i + 1] = right[i] * scale * fade;
    }
    return interleaved;
}

} // namespace windlecroft::demo

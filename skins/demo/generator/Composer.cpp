#include "Composer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace windlecroft::demo {

namespace {

// A small generator of our own: the standard distributions differ between libraries, and the
// pieces must be the same on every machine.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

    std::uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    float jitter(float amount) { return (static_cast<float>(below(2001)) / 1000.0f - 1.0f) * amount; }

private:
    std::uint32_t state_;
};

using Scale = std::array<int, 7>;
constexpr Scale ionian{0, 2, 4, 5, 7, 9, 11};
constexpr Scale lydian{0, 2, 4, 6, 7, 9, 11};
constexpr Scale mixolydian{0, 2, 4, 5, 7, 9, 10};
constexpr Scale dorian{0, 2, 3, 5, 7, 9, 10};
constexpr Scale aeolian{0, 2, 3, 5, 7, 8, 10};

using Progression = std::array<int, 4>; // scale degrees of four bars
constexpr std::array<Progression, 5> brightProgressions{{{0, 4, 5, 3}, {0, 3, 4, 3}, {0, 5, 3, 4}, {0, 3, 0, 4}, {5, 3, 0, 4}}};
constexpr std::array<Progression, 5> darkProgressions{{{0, 5, 2, 6}, {0, 3, 4, 0}, {0, 6, 5, 6}, {0, 3, 6, 2}, {0, 5, 3, 4}}};

struct Hit {
    int step;
    int length;
};
using Rhythm = std::vector<Hit>; // within two bars
const std::array<Rhythm, 4> motifRhythms{{
    {{0, 4}, {4, 2}, {6, 2}, {8, 6}, {14, 2}, {16, 4}, {20, 4}, {24, 8}},
    {{0, 2}, {2, 2}, {4, 4}, {8, 2}, {10, 2}, {12, 4}, {16, 6}, {22, 2}, {24, 8}},
    {{0, 8}, {8, 4}, {12, 4}, {16, 12}, {28, 4}},
    {{0, 3}, {3, 3}, {6, 2}, {8, 8}, {16, 3}, {19, 3}, {22, 2}, {24, 8}},
}};

struct BassHit {
    int step;
    int length;
    int degreeOffset; // 0 root, 4 fifth, 7 octave
};
const std::array<std::vector<BassHit>, 4> bassPatterns{{
    {{0, 6, 0}, {6, 2, 0}, {8, 6, 4}, {14, 2, 0}},
    {{0, 4, 0}, {4, 4, 7}, {8, 4, 4}, {12, 4, 0}},
    {{0, 3, 0}, {3, 3, 0}, {6, 2, 4}, {8, 8, 0}},
    {{0, 16, 0}},
}};

// The scale degree nearest to degree that belongs to the triad built on chord.
int nearestChordTone(int degree, int chord)
{
    int best = degree;
    int bestDistance = 99;
    for (int d = degree - 3; d <= degree + 3; ++d) {
        const int interval = ((d - chord) % 7 + 7) % 7;
        if ((interval == 0 || interval == 2 || interval == 4) && std::abs(d - degree) < bestDistance) {
            best = d;
            bestDistance = std::abs(d - degree);
        }
    }
    return best;
}

class Piece {
public:
    explicit Piece(const PieceStyle& style) : style_(style), dice_(style.seed)
    {
        score_.title = style.title;
        const bool night = style.time == TimeOfDay::Night;
        const bool evening = style.time == TimeOfDay::Evening;
        switch (style.time) {
        case TimeOfDay::Day: scale_ = std::array{ionian, lydian, mixolydian}[static_cast<std::size_t>(dice_.below(3))]; break;
        case TimeOfDay::Evening: scale_ = std::array{mixolydian, dorian, ionian}[static_cast<std::size_t>(dice_.below(3))]; break;
        case TimeOfDay::Night: scale_ = std::array{aeolian, dorian}[static_cast<std::size_t>(dice_.below(2))]; break;
        }
        score_.bpm = night ? 66 + dice_.below(16) : evening ? 84 + dice_.below(16) : 100 + dice_.below(24);
        root_ = dice_.below(12);
        // A minor third above the root makes a minor mode, which takes the darker progressions.
        const auto& progressions = scale_[2] == 3 ? darkProgressions : brightProgressions;
        verse_ = progressions[static_cast<std::size_t>(dice_.below(5))];
        bridge_ = progressions[static_cast<std::size_t>(dice_.below(5))];
        if (bridge_ == verse_)
            bridge_ = {verse_[3], verse_[2], verse_[1], verse_[0]};
        bass_ = night ? 3 : dice_.below(3);
        drums_ = !night;
        arpeggio_ = !night || dice_.chance(50);
        const int melodyChoice = dice_.below(3);
        melodyVoice_ = std::array{Voice::Lead, Voice::Bell, Voice::Pluck}[static_cast<std::size_t>(melodyChoice)];
        if (melodyVoice_ == Voice::Pluck && arpeggio_)
            melodyVoice_ = Voice::Lead;
        // Night melodies move slowly: the two calmer rhythms.
        verseRhythm_ = night ? 2 + dice_.below(2) : dice_.below(4);
        bridgeRhythm_ = (verseRhythm_ + 1 + dice_.below(3)) % 4;
    }

    Score write()
    {
        const int bars = std::max(8, style_.bars / 4 * 4);
        score_.steps = bars * Score::stepsPerBar;
        const std::uint32_t verseSeed = dice_.next();
        const std::uint32_t answerSeed = dice_.next();
        const std::uint32_t bridgeSeed = dice_.next();
        for (int phrase = 0; phrase < bars / 4; ++phrase) {
            // A A' B A, and A again for longer pieces.
            const bool bridge = phrase % 4 == 2;
            const Progression& chords = bridge ? bridge_ : verse_;
            for (int bar = 0; bar < 4; ++bar) {
                const int at = (phrase * 4 + bar) * Score::stepsPerBar;
                const bool last = phrase * 4 + bar == bars - 1;
                const int chord = last ? 0 : chords[static_cast<std::size_t>(bar)];
                harmony(at, chord, last);
                if (drums_)
                    drums(at, last);
            }
            const std::uint32_t seed = bridge ? bridgeSeed : verseSeed;
            const int rhythm = bridge ? bridgeRhythm_ : verseRhythm_;
            melody(phrase * 4, chords, rhythm, seed, phrase % 4 == 1 ? answerSeed : seed, phrase == bars / 4 - 1);
        }
        return std::move(score_);
    }

private:
    int pitch(int degree, int octaveBase) const
    {
        const int octave = static_cast<int>(std::floor(static_cast<double>(degree) / 7.0));
        const int index = degree - octave * 7;
        return octaveBase + root_ + scale_[static_cast<std::size_t>(index)] + 12 * octave;
    }

    void add(int step, int length, int key, float velocity, Voice voice)
    {
        score_.notes.push_back({step, length, key, std::clamp(velocity + dice_.jitter(0.05f), 0.05f, 1.0f), voice});
    }

    void harmony(int at, int chord, bool last)
    {
        for (const BassHit& hit : last ? bassPatterns[3] : bassPatterns[static_cast<std::size_t>(bass_)])
            add(at + hit.step, hit.length, pitch(chord + hit.degreeOffset, 36), 0.8f, Voice::Bass);
        for (int tone = 0; tone < 3; ++tone)
            add(at, Score::stepsPerBar, pitch(chord + 2 * tone, 55), 0.42f, Voice::Pad);
        if (arpeggio_ && !last) {
            static constexpr std::array<int, 8> shape{0, 2, 4, 7, 9, 7, 4, 2};
            for (int i = 0; i < 8; ++i)
                add(at + 2 * i, 2, pitch(chord + shape[static_cast<std::size_t>(i)], 60), i % 2 == 0 ? 0.55f : 0.42f, Voice::Pluck);
        }
    }

    void drums(int at, bool last)
    {
        const bool evening = style_.time == TimeOfDay::Evening;
        add(at, 2, 60, 0.95f, Voice::Kick);
        if (last)
            return;
        if (evening) {
            add(at + 10, 2, 60, 0.7f, Voice::Kick);
            add(at + 8, 2, 60, 0.7f, Voice::Snare);
        } else {
            add(at + 8, 2, 60, 0.85f, Voice::Kick);
            if (dice_.chance(40))
                add(at + 10, 2, 60, 0.6f, Voice::Kick);
            add(at + 4, 2, 60, 0.75f, Voice::Snare);
            add(at + 12, 2, 60, 0.8f, Voice::Snare);
        }
        for (int step = 0; step < Score::stepsPerBar; step += 2)
            add(at + step, 1, 60, step % 4 == 0 ? 0.45f : 0.28f, Voice::Hat);
    }

    // Four bars of melody from a two-bar rhythm, walking the scale and landing on chord tones
    // at the strong beats. The second two bars take their notes from answerSeed.
    void melody(int firstBar, const Progression& chords, int rhythm, std::uint32_t seed, std::uint32_t answerSeed, bool closing)
    {
        for (int half = 0; half < 2; ++half) {
            Dice walk(half == 0 ? seed : answerSeed ^ 0x5bd1e995u);
            int degree = 7 + walk.below(5);
            const Rhythm& hits = motifRhythms[static_cast<std::size_t>(rhythm)];
            for (std::size_t i = 0; i < hits.size(); ++i) {
                const Hit& hit = hits[i];
                const int bar = half * 2 + hit.step / Score::stepsPerBar;
                const int chord = chords[static_cast<std::size_t>(bar)];
                degree += std::array{-2, -1, -1, 1, 1, 2, 0}[static_cast<std::size_t>(walk.below(7))];
                degree = std::clamp(degree, 4, 13);
                if (hit.step % 8 == 0)
                    degree = nearestChordTone(degree, chord);
                const int step = (firstBar + half * 2) * Score::stepsPerBar + hit.step;
                const bool lastNote = closing && half == 1 && i + 1 == hits.size();
                if (lastNote) {
                    add(step, hit.length, pitch(7, 60), 0.7f, melodyVoice_);
                    return;
                }
                add(step, hit.length, pitch(degree, 60), hit.step % 8 == 0 ? 0.75f : 0.6f, melodyVoice_);
            }
        }
    }

    const PieceStyle& style_;
    Dice dice_;
    Score score_;
    Scale scale_ = ionian;
    int root_ = 0;
    Progression verse_{};
    Progression bridge_{};
    int bass_ = 0;
    bool drums_ = true;
    bool arpeggio_ = true;
    Voice melodyVoice_ = Voice::Lead;
    int verseRhythm_ = 0;
    int bridgeRhythm_ = 1;
};

} // namespace

Score compose(const PieceStyle& style)
{
    return Piece(style).write();
}

std::uint32_t seedOf(const std::string& text)
{
    // FNV-1a.
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

} // namespace windlecroft::demo

#pragma once

#include <string>
#include <vector>

namespace windlecroft::demo {

/** The instruments a piece is written for; both renderers know how each one sounds. */
enum class Voice { Bass, Pad, Pluck, Bell, Lead, Kick, Snare, Hat };

/** One note on a grid of sixteenth notes; pitch as a MIDI key number (60 is middle C). */
struct Note {
    int step = 0;
    int length = 1;
    int pitch = 60;
    float velocity = 0.8f; // 0..1
    Voice voice = Voice::Lead;
};

/** A piece of music as notes on a grid of four steps to a beat. */
struct Score {
    std::string title;
    int bpm = 100;
    int steps = 0;
    std::vector<Note> notes;

    static constexpr int stepsPerBeat = 4;
    static constexpr int stepsPerBar = 16;

    double secondsPerStep() const { return 60.0 / bpm / stepsPerBeat; }
    double seconds() const { return steps * secondsPerStep(); }
};

} // namespace windlecroft::demo

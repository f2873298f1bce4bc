#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace windlecroft::music {

/** Effects the module writers know; each writer maps them to its format's command letters. */
enum class TrackerEffect : std::uint8_t { None, SetSpeed, PositionJump };

/** One pattern cell. Notes count semitones from 1 (C-0); 49 is C-4, 97 is a key-off. */
struct TrackerCell {
    static constexpr std::uint8_t keyOff = 97;

    std::uint8_t note = 0;       // 0: no note
    std::uint8_t instrument = 0; // 0: none; n: the song's sample n (from 1)
    std::uint8_t volume = 0;     // 0: none; 1..65: set volume to value - 1
    TrackerEffect effect = TrackerEffect::None;
    std::uint8_t param = 0;

    bool empty() const { return note == 0 && instrument == 0 && volume == 0 && effect == TrackerEffect::None; }
};

/** A pattern: rows × channels cells, row by row. */
struct TrackerPattern {
    int rows = 0;
    std::vector<TrackerCell> cells;

    TrackerCell& at(int row, int channel, int channels) { return cells.at(static_cast<std::size_t>(row * channels + channel)); }
};

/**
 * One 16-bit mono sample. Played at C-4 it sounds at `rate` samples a second; a looped sample
 * repeats from loopStart to its end for as long as the note lasts.
 */
struct TrackerSample {
    std::string name = "sample";
    std::vector<std::int16_t> data;
    int rate = 8363;
    bool looped = true;
    std::size_t loopStart = 0;
    int volume = 64; // 0..64
};

/**
 * A small tracker song that both module writers can express: a few samples (selected by the
 * instrument column), patterns and an order list.
 */
struct TrackerSong {
    std::string title = "windlecroft fixture";
    int channels = 2;
    int speed = 3;   // ticks per row
    int tempo = 125; // beats per minute: a tick lasts 2.5 / tempo seconds
    std::vector<std::uint8_t> orders;
    std::vector<TrackerPattern> patterns;
    std::vector<TrackerSample> samples;

    TrackerPattern& addPattern(int rows);

    /** Seconds one pass through the order list lasts, assuming no speed or jump effects. */
    double secondsPerPass() const;

    /**
     * A song of orderCount orders; order i plays pattern i % patternCount, each pattern a held
     * note whose pitch depends on the pattern, on the first channel, and a quieter fifth above
     * it on the second. The one sample is a looped sine of 256 samples (8 cycles) at 8363 Hz.
     */
    static TrackerSong tones(int orderCount, int patternCount = 3, int rowsPerPattern = 8);
};

} // namespace windlecroft::music

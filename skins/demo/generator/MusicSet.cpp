#include "MusicSet.h"

#include "Composer.h"
#include "ModuleRenderer.h"
#include "StreamRenderer.h"
#include "TrackScenes.h"
#include "music/ItWriter.h"
#include "music/PcmEncoder.h"
#include "music/XmWriter.h"

#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace windlecroft::demo {

namespace {

constexpr int streamRate = 44100;

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("can't write " + path.string());
}

// Writes the score in the kind the file's extension names.
void writeScore(const std::filesystem::path& path, const Score& score)
{
    const std::string extension = path.extension().string();
    if (extension == ".xm")
        writeBytes(path, music::writeXm(renderModule(score)));
    else if (extension == ".it")
        writeBytes(path, music::writeIt(renderModule(score)));
    else if (extension == ".ogg")
        writeBytes(path, music::encodePcm(music::StreamFormat::OggVorbis, streamRate, 2, renderStream(score, streamRate)));
    else if (extension == ".mp3")
        writeBytes(path, music::encodePcm(music::StreamFormat::Mp3, streamRate, 2, renderStream(score, streamRate)));
    else
        throw std::runtime_error("no music kind for " + path.string());
}

// A short score written out note by note: (step, length, key, velocity) for one voice.
struct Line {
    Voice voice;
    std::initializer_list<std::initializer_list<int>> notes;
};

Score scoreOf(const std::string& title, int bpm, int bars, std::initializer_list<Line> lines)
{
    Score score;
    score.title = title;
    score.bpm = bpm;
    score.steps = bars * Score::stepsPerBar;
    for (const Line& line : lines) {
        for (const auto& fields : line.notes) {
            const int* f = fields.begin();
            score.notes.push_back({f[0], f[1], f[2], static_cast<float>(f[3]) / 100.0f, line.voice});
        }
    }
    return score;
}

} // namespace

void writeSidePieces(const std::filesystem::path& folder)
{
    const std::filesystem::path sounds = folder / "sounds";
    // The intro's fanfare: a rising call of bells over C major, closing on a held chord.
    writeScore(sounds / "fanfare.xm",
               scoreOf("fanfare", 112, 3,
                       {{Voice::Bell, {{0, 2, 72, 80}, {2, 2, 76, 70}, {4, 2, 79, 75}, {6, 4, 84, 90}, {12, 2, 79, 70}, {14, 2, 84, 80},
                                       {16, 4, 88, 90}, {20, 4, 86, 75}, {24, 8, 84, 95}}},
                        {Voice::Pad, {{0, 16, 60, 60}, {0, 16, 64, 60}, {0, 16, 67, 60}, {16, 16, 65, 60}, {16, 16, 69, 60}, {16, 16, 72, 60},
                                      {32, 16, 64, 60}, {32, 16, 67, 60}, {32, 16, 72, 60}}},
                        {Voice::Bass, {{0, 8, 36, 85}, {8, 8, 43, 80}, {16, 8, 41, 85}, {24, 8, 43, 80}, {32, 16, 36, 90}}},
                        {Voice::Kick, {{0, 2, 60, 90}, {8, 2, 60, 80}, {16, 2, 60, 90}, {24, 2, 60, 80}, {32, 2, 60, 95}}}}));
    // The outro's farewell: a slow bell melody falling through A minor.
    writeScore(sounds / "farewell.it",
               scoreOf("farewell", 76, 3,
                       {{Voice::Bell, {{0, 4, 81, 80}, {4, 4, 79, 70}, {8, 4, 76, 75}, {12, 4, 74, 65}, {16, 6, 72, 75}, {22, 2, 71, 60},
                                       {24, 8, 69, 85}}},
                        {Voice::Pad, {{0, 16, 57, 55}, {0, 16, 60, 55}, {0, 16, 64, 55}, {16, 16, 53, 55}, {16, 16, 57, 55}, {16, 16, 60, 55},
                                      {32, 16, 57, 55}, {32, 16, 64, 55}}},
                        {Voice::Bass, {{0, 16, 45, 75}, {16, 16, 41, 75}, {32, 16, 45, 75}}}}));
    // Two pieces to play over the music from the panel: a chime and a peal of bells.
    writeScore(sounds / "chime.ogg", scoreOf("chime", 120, 1, {{Voice::Bell, {{0, 2, 88, 80}, {1, 2, 91, 70}, {2, 6, 96, 85}}}}));
    writeScore(sounds / "bells.mp3",
               scoreOf("bells", 100, 2,
                       {{Voice::Bell, {{0, 2, 79, 80}, {2, 2, 76, 70}, {4, 2, 74, 70}, {6, 2, 72, 75}, {8, 2, 79, 80}, {10, 2, 74, 70},
                                       {12, 2, 76, 70}, {14, 2, 72, 75}, {16, 8, 67, 85}}}}));
}

void writePlaylistMusic(const SkinLayout& layout, const std::filesystem::path& skinFolder)
{
    const std::vector<TrackSource> tracks = layout.playlistByPosition();
    for (std::size_t position = 0; position < tracks.size(); ++position) {
        const TrackSource& track = tracks[position];
        if (track.file.empty())
            continue;
        PieceStyle style;
        style.title = track.name;
        style.time = timeOfPosition(static_cast<int>(position));
        const std::string extension = std::filesystem::path(track.file).extension().string();
        // Modules are small whatever their length; encoded streams are kept a little shorter.
        style.bars = extension == ".xm" || extension == ".it" ? 20 : 16;
        style.seed = seedOf(track.name + "|" + track.file);
        writeScore(skinFolder / track.file, compose(style));
    }
}

} // namespace windlecroft::demo

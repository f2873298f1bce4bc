#pragma once

#include "base/ActionQueue.h"
#include "audio/Player.h"
#include "audio/FrequencyAnalyzer.h"
#include "platform/headless/NullAudioOutput.h"
#include "resources/DataArchive.h"

#include "support/SoundMeasure.h"
#include "support/TempDir.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace windlecroft::test {

/**
 * A player over a real engine and a null output, with music files written into a temporary
 * folder. Tones of different pitches tell the entries apart by ear: dominantBin() names the
 * strongest frequency of what was heard last.
 */
/** Posts what the running player posts for what the Player reports. */
class ReportedActions final : public PlayerListener {
public:
    explicit ReportedActions(ActionQueue& actions) : actions_(actions) {}
    void positionChanged(int) override {}
    void moduleLoading(bool looping) override
    {
        actions_.post(looping ? ActionCode::LoopingModuleLoaded : ActionCode::ModuleLoaded, 0);
    }
    void trackAdvanced(int) override { actions_.post(ActionCode::TrackAdvanced, 0); }

private:
    ActionQueue& actions_;
};

class PlayerHarness {
public:
    PlayerHarness()
    {
        player.setListener(&reports);
        player.initAudio(output);
    }
    ~PlayerHarness() { player.shutdownAudio(); }

    /** Writes bytes as a file in the temporary folder and returns its path. */
    std::string file(const std::string& name, const std::vector<std::uint8_t>& bytes);
    /** An Ogg file with a tone of frequency lasting seconds. */
    std::string tone(const std::string& name, double frequency, double seconds = 1.0);

    /** Fills the playlist so that position i holds names[i] (addTrack puts each at the head). */
    void setPlaylist(std::initializer_list<std::string> names);

    /**
     * The actions the running player posts for what the Player reported so far (a module from
     * disk, a track that advanced by itself), in posting order; empties the queue.
     */
    std::vector<Action> takePosts();

    /** The FFT bin with the most energy in the last 1024 frames of heard. */
    static int dominantBin(const std::vector<float>& heard);
    /** The FFT bin a frequency falls in (rounded). */
    static int binOf(double frequency) { return static_cast<int>(frequency * FrequencyAnalyzer::fftSize / AudioOutput::sampleRate + 0.5); }

    TempDir dir;
    std::ostringstream diagnostics;
    AudioEngine engine{diagnostics};
    DataArchive archive;
    ActionQueue actions;
    Tracklist playlist;
    std::uint16_t publishedIndex = 0xFFFF;
    ReportedActions reports{actions};
    Player player{engine, archive, playlist, publishedIndex};
    NullAudioOutput output;

};

} // namespace windlecroft::test

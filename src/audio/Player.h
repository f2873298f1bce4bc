#pragma once

#include "audio/AudioEngine.h"
#include "audio/ChannelSlot.h"
#include "audio/LinearCongruentialGenerator.h"
#include "audio/PlayerListener.h"
#include "audio/TrackEntry.h"
#include "audio/Tracklist.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace windlecroft {

class AudioOutput;
class DataArchive;

/**
 * The music player: a main channel that plays the playlist one entry after another (in order
 * or at random, advancing at the end of each track) and a side channel for one named track at a
 * time. All of it runs on the main thread. The end of a main-channel track reaches the player as
 * an event that handleEndedTracks() picks up; until then a track that is not repeated stays
 * silent at its end, so nothing of it is heard twice.
 *
 * Positions and volumes are in the engine's units: a stream step is 10 seconds of audio, a
 * module step one order; volumes are 0..100, and −2 in a slide fades out and stops.
 */
class Player {
public:
    /** A stream step of stepForward and stepBack. */
    static constexpr double streamStepSeconds = 10.0;

    /**
     * publishedIndex is where the current playlist position is published for plugins; it is
     * written whenever playCurrent runs. What happens is told to the listener (setListener).
     */
    Player(AudioEngine& engine, const DataArchive& archive, const Tracklist& playlist, std::uint16_t& publishedIndex);
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    /** Where the player's events go from now on; nullptr for nowhere. */
    void setListener(PlayerListener* listener);

    // The output device.
    /** Starts the output pulling from the engine. */
    void initAudio(AudioOutput& output);
    /** Stops the output and frees every channel; runs before the archive is closed. */
    void shutdownAudio();

    // Main channel. Each does nothing before a main track was ever started.
    void stepForward();
    void stepBack();
    void togglePause();
    void seekPercent(float percent);
    /** Moves a playing or paused main track to that second; nothing beyond its end. */
    void seekSeconds(double seconds);
    void stopMain();
    /** Volume of the main track; the handle follows the kind of the playlist entry at currentIndex. */
    void setMainVolume(int volume);
    void slideMainVolume(int volume, std::uint32_t milliseconds);
    /** Fills buffer with the main channel's 512 FFT magnitudes; leaves it alone when nothing plays. */
    void readSpectrum(std::span<float, FrequencyAnalyzer::binCount> buffer);
    /** True while the main channel's current handle reports playing. */
    bool mainPlaying() const;
    /** What the main channel's current handle is doing; Stopped before a track was ever started. */
    ChannelState mainState() const;
    /** Seconds played of the main channel's track, and its length; 0 before one was started. */
    double mainSeconds() const;
    double mainLengthSeconds() const;
    /** How far the main channel's track has played, 0 to 1, as seekPercent() counts it. */
    double mainFraction() const;
    /** The volumes heard now, 0..100: the main channel's track and the side channel's piece. */
    int mainVolume() const;
    int sideVolume() const;
    /** The playlist the main channel plays. */
    const Tracklist& playlist() const { return playlist_; }

    // Side channel.
    void stopSide();
    /** Volume of every side handle that is still active. */
    void setSideVolume(int volume);
    void slideSideVolume(int volume, std::uint32_t milliseconds);

    void toggleRepeatOne();
    void toggleRandom();

    // Sequencing.
    /** Resumes a paused main track, leaves a playing one, otherwise starts the entry at currentIndex. */
    void playCurrent();
    /** Advances; starts the new entry only when the main channel was playing or paused. */
    void playNext();
    /** Goes back (at random: once to the remembered entry); starts only when something was playing or paused. */
    void playPrevious();
    /** Starts the entry at position; nothing for a placeholder or a position outside the playlist. */
    void playIndex(int position);
    /** Stops the side channel and plays entry on it once. */
    void startSide(const TrackEntry& entry);
    /** Plays the named track with that key on the side channel; nothing when there is none. */
    void startSide(const NamedTracks& namedTracks, std::string_view key);
    /** What the end of a main-channel track does: repeat it, or stop it and start the next entry. */
    void onTrackEnd();
    /** Runs onTrackEnd for every main-track end the engine reported since the last call. */
    void handleEndedTracks();

    int currentIndex() const { return currentIndex_; }
    int previousIndex() const { return previousIndex_; }
    /** The length of the main channel's track, in its position units. */
    int trackLength() const { return main_.length; }
    /** Whether the playlist module loaded last loops (its name holds "loop"). */
    bool moduleLooped() const { return moduleLooped_; }
    bool repeatOne() const { return repeatOne_; }
    bool randomOrder() const { return randomOrder_; }
    /**
     * How many times the main track's position has jumped (a seek, a step, a repeated track
     * starting over); whoever shows the position compares it with the count it saw last.
     */
    std::uint32_t jumpCount() const { return jumpCount_; }
    const ChannelSlot& mainChannel() const { return main_; }
    const ChannelSlot& sideChannel() const { return side_; }

private:
    void startTrack(const TrackEntry& entry, ChannelSlot& slot, bool withEndSync);
    bool advance();
    int drawIndex();
    ChannelHandle mainVolumeHandle() const;

    void moveTo(int index);

    AudioEngine& engine_;
    const DataArchive& archive_;
    PlayerListener* listener_;
    const Tracklist& playlist_;
    std::uint16_t& publishedIndex_;
    AudioOutput* output_ = nullptr;

    ChannelSlot main_;
    ChannelSlot side_;
    SyncHandle endSync_ = 0;
    int currentIndex_ = 0;
    int previousIndex_ = 0;
    std::uint32_t jumpCount_ = 0;
    bool moduleLooped_ = false;
    bool repeatOne_ = false;
    bool randomOrder_ = false;
    LinearCongruentialGenerator random_;
};

} // namespace windlecroft

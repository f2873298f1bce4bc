#pragma once

#include <span>

namespace windlecroft {

/** What an audio output pulls its sound from: the engine's mixer. */
class AudioSource {
public:
    virtual ~AudioSource() = default;

    /**
     * Fills out with interleaved stereo float frames (left, right) in −1..1 at
     * AudioOutput::sampleRate. An output calls it from its own thread.
     */
    virtual void render(std::span<float> out) = 0;
};

/**
 * A sound output. It owns no mixing: once started it pulls frames from its source whenever it
 * needs them. Implementations: SDL audio for the program, a null output for tests that renders
 * only when asked.
 */
class AudioOutput {
public:
    static constexpr int sampleRate = 44100;
    static constexpr int channelCount = 2;

    virtual ~AudioOutput() = default;

    /** Opens the output and starts pulling from source. Without a usable device the output stays silent. */
    virtual void start(AudioSource& source) = 0;
    /** Stops pulling; once it returns the source is not called again. Harmless when not started. */
    virtual void stop() = 0;
    /**
     * While idle nothing plays, so a started output may release its device and stop pulling,
     * and must take it back as soon as idle ends. Harmless when not started.
     */
    virtual void setIdle(bool idle) { static_cast<void>(idle); }
};

} // namespace windlecroft

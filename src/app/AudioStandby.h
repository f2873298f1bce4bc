#pragma once

#include "audio/AudioEngine.h"
#include "audio/AudioOutput.h"

namespace windlecroft {

/**
 * Lets the audio output rest while no channel plays (everything stopped or paused), so a paused
 * player costs no wake-ups of an audio thread, and wakes it in the frame that starts a channel.
 */
class AudioStandby {
public:
    AudioStandby(AudioEngine& engine, AudioOutput& output) : engine_(engine), output_(output) {}

    /** Called after every frame's commands: follows the engine's state. */
    void update()
    {
        const bool idle = !engine_.producing();
        if (idle == idle_)
            return;
        idle_ = idle;
        output_.setIdle(idle);
    }

    bool idle() const { return idle_; }

private:
    AudioEngine& engine_;
    AudioOutput& output_;
    bool idle_ = false;
};

} // namespace windlecroft

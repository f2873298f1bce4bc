#pragma once

#include "audio/AudioOutput.h"

#include <SDL2/SDL_audio.h>

#include <iosfwd>
#include <string>

namespace windlecroft {

/**
 * Sound through SDL2 audio: a device opened at 44100 Hz stereo (32-bit float) whose callback
 * pulls from the source on SDL's audio thread. When no device can be opened, SDL's "dummy" driver
 * takes its place, so the source is still pulled in real time and end-of-track events still
 * come; one line on the diagnostics stream says that nothing will be heard.
 */
class SdlAudioOutput final : public AudioOutput {
public:
    explicit SdlAudioOutput(std::ostream& diagnostics);
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void start(AudioSource& source) override;
    void stop() override;
    /** Closes the device while idle, so its thread no longer wakes, and opens it again after. */
    void setIdle(bool idle) override;

    /** The SDL audio driver in use ("dummy" after the fallback); empty when none is running. */
    std::string driver() const;

private:
    static void SDLCALL pull(void* user, Uint8* stream, int length);
    SDL_AudioDeviceID openDevice();

    std::ostream& diagnostics_;
    AudioSource* source_ = nullptr;
    SDL_AudioDeviceID device_ = 0;
    bool idle_ = false;
    bool subsystemStarted_ = false; // started through SDL_InitSubSystem
    bool fallbackStarted_ = false;  // the dummy driver, started through SDL_AudioInit
};

} // namespace windlecroft

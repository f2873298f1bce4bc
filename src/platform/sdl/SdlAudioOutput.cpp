#include "platform/sdl/SdlAudioOutput.h"

#include <SDL2/SDL.h>

#include <dlfcn.h>

#include <ostream>
#include <span>

namespace windlecroft {

namespace {

extern "C" void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// libasound prints several lines of its own on stderr for every device it cannot open; the one
// line the output prints says all a person needs. SDL loads the library at run time, so the
// handler is set on the same instance before SDL opens it. The library stays loaded.
void silenceAlsa()
{
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!alsa)
        return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler)
        setHandler(&ignoreAlsaError);
}

} // namespace

SdlAudioOutput::SdlAudioOutput(std::ostream& diagnostics) : diagnostics_(diagnostics) {}

SdlAudioOutput::~SdlAudioOutput() { stop(); }

SDL_AudioDeviceID SdlAudioOutput::openDevice()
{
    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = channelCount;
    // 4096 frames (93 ms at 44.1 kHz): the mixer's thread wakes about eleven times a second,
    // and a press of play or stop is heard within a tenth of a second. The spectrum moves on
    // within a block by the time it has been playing, so the visualiser does not step with it.
    wanted.samples = 4096;
    wanted.callback = &SdlAudioOutput::pull;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device really plays.
    return SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
}

void SdlAudioOutput::start(AudioSource& source)
{
    if (device_)
        return;
    source_ = &source;
    silenceAlsa();
    // SDL would catch SIGINT and SIGTERM to post a quit event that nobody here reads, and the
    // process would no longer end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        subsystemStarted_ = true;
        device_ = openDevice();
    }
    if (!device_) {
        // SDL does not fall back by itself when the chosen driver has no device (ALSA without a
        // sound card, say). The dummy driver consumes audio at the real rate and plays nothing.
        const std::string reason = SDL_GetError();
        if (subsystemStarted_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            subsystemStarted_ = false;
        }
        diagnostics_ << "windlecroft: no audio device (" << reason << "), playing silently" << std::endl;
        if (SDL_AudioInit("dummy") == 0) {
            fallbackStarted_ = true;
            device_ = openDevice();
        }
    }
    if (device_)
        SDL_PauseAudioDevice(device_, 0);
}

void SdlAudioOutput::setIdle(bool idle)
{
    if (!source_ || idle == idle_)
        return;
    idle_ = idle;
    if (idle) {
        // Closing waits for a callback in progress; no other is made afterwards.
        if (device_)
            SDL_CloseAudioDevice(device_);
        device_ = 0;
    } else if (subsystemStarted_ || fallbackStarted_) {
        device_ = openDevice();
        if (device_)
            SDL_PauseAudioDevice(device_, 0);
    }
}

void SdlAudioOutput::stop()
{
    // Closing the device waits for a callback in progress, so the source is not used afterwards.
    if (device_)
        SDL_CloseAudioDevice(device_);
    device_ = 0;
    if (fallbackStarted_)
        SDL_AudioQuit();
    if (subsystemStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    fallbackStarted_ = subsystemStarted_ = idle_ = false;
    source_ = nullptr;
}

std::string SdlAudioOutput::driver() const
{
    const char* name = device_ ? SDL_GetCurrentAudioDriver() : nullptr;
    return name ? name : "";
}

void SDLCALL SdlAudioOutput::pull(void* user, Uint8* stream, int length)
{
    auto* self = static_cast<SdlAudioOutput*>(user);
    const std::span<float> out(reinterpret_cast<float*>(stream), static_cast<std::size_t>(length) / sizeof(float));
    self->source_->render(out);
}

} // namespace windlecroft

#pragma once

#include <cstdint>

namespace windlecroft {

/** The commands of a remote control that need no argument. */
enum class RemoteCommand : std::uint8_t { PlayPause, Play, Pause, Stop, Next, Previous, Raise, Quit };

/**
 * What a remote control delivers to the player, on the main thread. Each command is carried out
 * as the skin's own action would be; then one frame update and one frame render run.
 */
class RemoteCommands {
public:
    virtual ~RemoteCommands() = default;

    virtual void remoteCommand(RemoteCommand command) = 0;
    /** Moves the playing entry by offset (negative: back); past its end the next entry plays. */
    virtual void remoteSeek(std::int64_t offsetMicroseconds) = 0;
    /** Moves to position when track is still the current playlist position; otherwise nothing. */
    virtual void remoteSetPosition(int track, std::int64_t positionMicroseconds) = 0;
    /** Sets the main channel's volume, 0.0 to 1.0 (values outside are clamped). */
    virtual void remoteSetVolume(double volume) = 0;
    /** The position of the main channel's track now; 0 while none is loaded. */
    virtual std::int64_t remotePosition() const = 0;
};

} // namespace windlecroft

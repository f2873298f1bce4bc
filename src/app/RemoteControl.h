#pragma once

#include <cstdint>

namespace windlecroft {

class RemoteCommands;
struct RemoteState;

/**
 * The desktop's media controls (media keys, sound menus, media widgets), which show what plays
 * and send commands back. The Qt shell implements it on the session bus; without one the player
 * has no remote control at all.
 */
class RemoteControl {
public:
    virtual ~RemoteControl() = default;

    /**
     * Offers the player to the desktop with its state now; commands go to commands until
     * withdraw(). When the desktop cannot be reached the remote says so once and returns false:
     * the player then runs without it.
     */
    virtual bool offer(RemoteCommands& commands, const RemoteState& state) = 0;
    /** Takes the player off the desktop; no command arrives after it. Harmless when not offered. */
    virtual void withdraw() = 0;
    /** Something in the state changed since it was last offered or published. */
    virtual void publish(const RemoteState& state) = 0;
    /** The position jumped (a seek, a step, a repeated track starting over) to this one. */
    virtual void seeked(std::int64_t positionMicroseconds) = 0;
};

} // namespace windlecroft

#pragma once

#include "app/RemoteCommands.h"
#include "app/RemoteState.h"

#include <cstdint>
#include <optional>

namespace windlecroft {

class ActionQueue;
class Player;
class RemoteControl;
class SceneDirector;
class Skin;
class TrayIcon;

/**
 * The core's side of a remote control. Its commands become the actions the skin's buttons post,
 * so they are traced, carried out and seen by the pages as a button's would be. After every
 * frame update it compares what the remote shows with the player and publishes what changed,
 * and a jump of the position; nothing runs while no remote is offered.
 */
class RemoteBridge {
public:
    struct Parts {
        ActionQueue& actions;
        const Player& player;
        const Skin& skin;
        const SceneDirector& scenes;
        const TrayIcon& tray;
    };

    explicit RemoteBridge(Parts parts);

    /** The remote offered at start(); none by default. */
    void attach(RemoteControl& remote) { remote_ = &remote; }
    /** Offers the player to the attached remote, its commands going to commands; the skin is loaded by now. */
    void start(RemoteCommands& commands);
    /** Withdraws the offer; harmless when there was none. */
    void stop();

    void command(RemoteCommand command);
    void seek(std::int64_t offsetMicroseconds);
    void setPosition(int track, std::int64_t positionMicroseconds);
    void setVolume(double volume);
    std::int64_t position() const;

    /** Publishes what changed since the last frame update. */
    void update();

private:
    RemotePlayback playback() const;
    bool refresh();
    void describeTrack(int track);
    void seekTo(double seconds);
    void quit();

    Parts parts_;
    RemoteControl* remote_ = nullptr;
    bool offered_ = false;
    RemoteState state_;
    std::uint32_t jumps_ = 0;
    // The string-mapping index that names the outro page, when the skin has one.
    std::optional<std::uint16_t> outroMapping_;
};

} // namespace windlecroft

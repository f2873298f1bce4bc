#pragma once

#include "audio/PlayerListener.h"
#include "base/Action.h"

#include <cstdint>
#include <iosfwd>

namespace windlecroft {

class ActionQueue;
class EventLoop;
class Player;
class PluginContext;
class SceneDirector;
class Skin;
class TrayIcon;
class Window;

/**
 * Carries out the posted actions, the only place where commands act on the player, the window
 * and the tray; each action is then passed to the current page for its own reactions. It also
 * turns what the Player reports into the actions pages and plugins observe.
 */
class CommandDispatcher final : public PlayerListener {
public:
    struct Parts {
        ActionQueue& actions;
        Player& player;
        const Skin& skin;
        SceneDirector& scenes;
        TrayIcon& tray;
        Window& window;
        EventLoop& loop;
        PluginContext& plugins;
    };

    /** trace, when given, receives one line per action carried out. */
    CommandDispatcher(Parts parts, std::ostream* trace);

    /**
     * The frame update: carries out every posted action (the queue is last in, first out),
     * passing each to the current page, then asks for the page the playing track belongs to.
     * Nothing while a page switch is pending.
     */
    void update();

    void positionChanged(int index) override { position_ = index; }
    void moduleLoading(bool looping) override;
    void trackAdvanced(int index) override;

private:
    void handle(Action action);
    void carryOut(Action action);
    void startNamedTrack(std::uint16_t mappingIndex);
    void pageCommand(Action action);

    Parts parts_;
    std::ostream* trace_;
    int position_ = 0;
};

} // namespace windlecroft

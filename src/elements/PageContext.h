#pragma once

#include <cstdint>

#include <windlecroft/plugin.h>

namespace windlecroft {

class ActionQueue;
class Canvas;
class Clock;
class Player;

/**
 * What every page shares with the rest of the player: where actions are posted, the clock,
 * the values of the configuration it draws with, the player it asks about, the back buffer
 * it draws into and the record its plugins read.
 */
struct PageContext {
    ActionQueue& actions;
    const Clock& clock;
    const std::uint16_t& highlightStep;
    const int& windowWidth;
    const int& windowHeight;
    const Player& player;
    Canvas& canvas;
    /** A window-sized canvas a page with live parts is composed in before it is blended. */
    Canvas& scratch;
    WindlecroftPluginContext& pluginContext;
};

} // namespace windlecroft

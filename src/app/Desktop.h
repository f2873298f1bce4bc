#pragma once

#include "app/Alerts.h"
#include "app/DesktopEvents.h"
#include "app/EventLoop.h"
#include "app/Tray.h"
#include "app/Window.h"

namespace windlecroft {

/**
 * The world outside the core as one object: the window, its event loop, the notification area
 * and the message box. Implementations: the Qt shell for the program and a headless desktop for
 * tests. The player's parts each receive only the port they use.
 */
class Desktop : public Window, public EventLoop, public Tray, public Alerts {};

} // namespace windlecroft

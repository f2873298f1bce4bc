#pragma once

#include <string>

namespace windlecroft {

class Region;
class Surface;

/** A rectangle of the desktop in screen pixels, right and bottom exclusive. */
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/** How the main window is shown: the three show commands the player uses. */
enum class ShowCommand { Hide, Show, Minimise };

/** What the desktop delivers to the player: every input event arrives as one call. */
class DesktopEvents {
public:
    virtual ~DesktopEvents() = default;

    /** The 10 ms frame tick. */
    virtual void tick() = 0;
    /** The window moved (also during a drag). */
    virtual void windowMoved() = 0;
    /** The person closed the window (or the system asked it to close). */
    virtual void closeRequested() = 0;
};

/**
 * The world outside the core: one top-level window, its event loop and the message box.
 * Implementations: the Qt shell for the program and a headless desktop for tests.
 */
class Desktop {
public:
    virtual ~Desktop() = default;

    /** True when translucent top-level windows are available (the layered path). */
    virtual bool supportsLayered() const = 0;
    /** The primary screen's geometry, used to centre the window. */
    virtual ScreenRect screenGeometry() const = 0;

    /** Creates the borderless main window at (x, y); it is not shown yet. */
    virtual void createWindow(const std::string& title, int x, int y, int width, int height) = 0;
    virtual void showWindow(ShowCommand command) = 0;
    virtual void destroyWindow() = 0;

    /** Runs the event loop, delivering events, until quit is posted; returns the quit code. */
    virtual int run(DesktopEvents& events) = 0;
    /** Posts the quit message: the loop ends once the current event is handled. */
    virtual void postQuit(int code) = 0;

    /**
     * Shows these pixels in the window's client area, top-left at the client's top-left; the
     * back buffer hands over every finished frame this way. The frame is copied: it may change
     * as soon as the call returns.
     */
    virtual void present(const Surface& frame) = 0;
    /** Shapes the window: only the pixels of the region belong to it (an empty region hides all). */
    virtual void setWindowShape(const Region& region) = 0;
    /** Removes the window's shape: the whole rectangle belongs to the window again. */
    virtual void clearWindowShape() = 0;

    /** Shows an error message box captioned "windlecroft runtime exception" and waits for OK. */
    virtual void showError(const std::string& message) = 0;
};

} // namespace windlecroft

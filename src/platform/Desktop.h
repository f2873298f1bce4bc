#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

    /** The 10 ms frame tick; page timers run on it. */
    virtual void tick() = 0;
    /** The window moved (also during a drag). */
    virtual void windowMoved() = 0;
    /** The person closed the window (or the system asked it to close). */
    virtual void closeRequested() = 0;
    /** The window gained the keyboard focus. */
    virtual void focusGained() = 0;
    /** A key went down or up; key is the Windows virtual-key code (0x20 space, 0x41 'A', 0x70 F1, ...). */
    virtual void keyDown(std::uint16_t key) = 0;
    virtual void keyUp(std::uint16_t key) = 0;
    /**
     * The pointer moved to client (x, y); keyState holds the buttons and modifiers down:
     * left 1, right 2, Shift 4, Ctrl 8, middle 16.
     */
    virtual void mouseMove(int x, int y, std::uint16_t keyState) = 0;
    /** The left button went down; returns false when nothing took the press, and the desktop then drags the window. */
    virtual bool mouseDown(int x, int y) = 0;
    virtual void mouseUp(int x, int y) = 0;
    /** The second press of a double click, delivered after its ordinary press. */
    virtual void doubleClick(int x, int y) = 0;
    virtual void rightDown() = 0;
    /** A wheel turn over client (x, y): 120 per notch, positive away from the user. */
    virtual void wheel(int x, int y, int delta) = 0;
    /** The notification-area icon was clicked with the left (or right) button. */
    virtual void trayClicked(bool rightButton) = 0;
    /** An entry of the tray menu was chosen. */
    virtual void menuCommand(std::uint16_t command) = 0;
};

/** One entry of the tray icon's menu. */
struct TrayMenuEntry {
    std::string text; // UTF-8
    std::uint16_t command = 0;
    bool isDefault = false;
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
     * The period of the frame tick from now on, in milliseconds (10 unless the player asks for
     * more). The player asks for a longer one while nothing on screen or in its timers needs the
     * tick; input still runs frames at once. A desktop may keep ticking every 10 ms.
     */
    virtual void setTickInterval(int milliseconds) { static_cast<void>(milliseconds); }
    /**
     * Asks for one tick as soon as the loop can run it, whatever the period. Safe to call from
     * any thread: the audio thread calls it when a track ends, so the next one starts at once.
     */
    virtual void wakeTick() {}

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

    /**
     * Switches the window's translucency on or off. While on, the presented frame is shown with
     * every white (0xFFFFFF) pixel fully transparent and every other pixel at the window alpha.
     */
    virtual void setTranslucent(bool translucent) = 0;
    /** The constant alpha of a translucent window, 0 (invisible) to 255. */
    virtual void setWindowAlpha(std::uint8_t alpha) = 0;

    /** True when a notification area can show an icon. */
    virtual bool trayAvailable() const = 0;
    /** Shows the notification-area icon with its tip and menu (UTF-8). */
    virtual void showTrayIcon(const std::string& tip, const std::vector<TrayMenuEntry>& menu) = 0;
    virtual void hideTrayIcon() = 0;
    /** Opens the tray menu with its right edge at the pointer. */
    virtual void showTrayMenu() = 0;

    /** Shows an error message box captioned "windlecroft runtime exception" and waits for OK. */
    virtual void showError(const std::string& message) = 0;
};

} // namespace windlecroft

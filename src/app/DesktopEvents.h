#pragma once

#include <cstdint>

namespace windlecroft {

/** What the desktop delivers to the player: every input event arrives as one call. */
class DesktopEvents {
public:
    virtual ~DesktopEvents() = default;

    /** The 10 ms frame tick; page timers run on it. */
    virtual void tick() = 0;
    /**
     * A frame of the live parts alone, asked for with EventLoop::setLiveFrameInterval. It comes
     * from the desktop's live-frame thread, possibly while another event is handled; the player
     * serialises the two.
     */
    virtual void liveFrame() {}
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

} // namespace windlecroft

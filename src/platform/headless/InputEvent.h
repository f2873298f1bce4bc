#pragma once

#include <cstdint>

namespace windlecroft {

/** One input event of a script, due at a time measured from the start of the event loop. */
struct InputEvent {
    enum class Kind {
        Move,        // mouseMove at (x, y)
        Press,       // left button down at (x, y)
        Release,     // left button up at (x, y)
        RightPress,  // right button down
        DoubleClick, // the second press of a double click at (x, y)
        KeyDown,     // value: virtual-key code
        KeyUp,       // value: virtual-key code
        Wheel,       // at (x, y), value: signed delta, 120 per notch
        TrayLeft,    // left click on the tray icon
        TrayRight,   // right click on the tray icon
        Menu,        // value: tray menu command
        Focus,       // the window gains the focus
        Close,       // the window is asked to close
    };

    std::uint64_t atMs = 0;
    Kind kind = Kind::Move;
    int x = 0;
    int y = 0;
    int value = 0;

    bool operator==(const InputEvent&) const = default;
};

} // namespace windlecroft

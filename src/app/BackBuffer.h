#pragma once

#include "app/Window.h"
#include "resources/Canvas.h"

namespace windlecroft {

/**
 * The canvas everything of a frame is drawn into, the size of the window's client area, and
 * handed to the window once per frame.
 */
class BackBuffer : public Canvas {
public:
    explicit BackBuffer(Window& window) : window_(window) {}

    /** Hands the whole buffer to the window. */
    void present() { window_.present(surface()); }
    /** Hands the buffer to the window, saying that only the damaged rectangles changed. */
    void present(std::span<const Rect> damage) { window_.present(surface(), damage); }

private:
    Window& window_;
};

} // namespace windlecroft

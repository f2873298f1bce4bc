#pragma once

#include "base/Rect.h"

#include <cstdint>
#include <span>
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

/** The player's one top-level window: what it shows and how it is shaped. */
class Window {
public:
    virtual ~Window() = default;

    /** True when translucent top-level windows are available (the layered path). */
    virtual bool supportsLayered() const = 0;
    /** The primary screen's geometry, used to centre the window. */
    virtual ScreenRect screenGeometry() const = 0;

    /** Creates the borderless main window at (x, y); it is not shown yet. */
    virtual void createWindow(const std::string& title, int x, int y, int width, int height) = 0;
    virtual void showWindow(ShowCommand command) = 0;
    virtual void destroyWindow() = 0;

    /**
     * Shows these pixels in the window's client area, top-left at the client's top-left; the
     * back buffer hands over every finished frame this way. The frame is copied: it may change
     * as soon as the call returns.
     */
    virtual void present(const Surface& frame) = 0;
    /**
     * The same for a frame that differs from the one presented before only inside damage; a
     * window may repaint just those rectangles.
     */
    virtual void present(const Surface& frame, std::span<const Rect> damage)
    {
        static_cast<void>(damage);
        present(frame);
    }
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
};

} // namespace windlecroft

#pragma once

#include "app/Window.h"

#include <utility>

namespace windlecroft {

/**
 * The window's top-left corner centred on the desktop: (desktop size − window size) / 2 on
 * each axis, truncated towards zero, and the desktop's edge where it is smaller than the
 * window. The offset of a primary screen that does not start at (0, 0) is added.
 */
inline std::pair<int, int> centredWindowPosition(const ScreenRect& desktop, int width, int height)
{
    int x = (desktop.right - desktop.left - width) / 2;
    int y = (desktop.bottom - desktop.top - height) / 2;
    return {desktop.left + (x < 0 ? 0 : x), desktop.top + (y < 0 ? 0 : y)};
}

} // namespace windlecroft

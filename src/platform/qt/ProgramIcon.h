#pragma once

#include <QIcon>

namespace windlecroft {

/**
 * The program's icon, for the window and the notification area. It is drawn here at 16, 32
 * and 64 pixels, so the program carries no image file of its own.
 */
QIcon programIcon();

} // namespace windlecroft

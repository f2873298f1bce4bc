#pragma once

#include "resources/RegionRect.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

namespace windlecroft {

// How the skin's pixels meet the screen's. The core draws at the skin's size; Qt's device
// pixel ratio (the screen's, QT_SCALE_FACTOR, or the one forced by forceScreenScale) enlarges
// the window, its shape and its input shape as one, and the shell maps input back.

/**
 * Makes factor the ratio of screen pixels to skin pixels on X11, whatever the screen reports;
 * a Wayland compositor's own output scale still multiplies it. Takes effect only when called
 * before the QApplication is made.
 */
void forceScreenScale(double factor);

/** True when the ratio is no whole number: pictures are then scaled smoothly, not crisply. */
bool smoothScaling(qreal ratio);

/**
 * The skin pixel under a position in the top-level window's device-independent coordinates.
 * At a ratio of 2 both screen pixels of a skin pixel land on it, where rounding would move the
 * right one on; so the shell passes an event's scenePosition(), which Qt does not round as it
 * does position() for a widget.
 */
QPoint skinPoint(const QPointF& position);

/**
 * A region rectangle in the window's native pixels. Edges are rounded alike, so that rectangles
 * that touch in the region still touch.
 */
QRect nativeRect(const RegionRect& rect, qreal ratio);

} // namespace windlecroft

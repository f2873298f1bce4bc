#pragma once

#include "Canvas.h"
#include "Palette.h"
#include "SkinLayout.h"
#include "TextPainter.h"

#include <string>
#include <vector>

namespace windlecroft::demo {

/** How a control looks in one of a page's three pictures. */
enum class ControlState { Normal, Pressed, Highlight };

/**
 * Paints the elements of a page where their records put them: buttons with an icon or a
 * label chosen by their action, lamps, wheel dials, slider grooves, the playlist's rows and the
 * document titles.
 */
class ControlPainter {
public:
    ControlPainter(Canvas& canvas, TextPainter& text, const Palette& palette);

    void button(const ElementSource& button, ControlState state);
    void lamp(const ElementSource& indicator, ControlState state);
    void wheel(const ElementSource& zone);
    void slider(const ElementSource& slider);
    /** The playlist's rows, titles by the player's positions. */
    void playlist(const ElementSource& list, const std::vector<TrackSource>& byPosition);
    /** The viewer's title rows: the document defined last is the first row. */
    void documents(const ElementSource& viewer, const std::vector<const ElementSource*>& documents);

private:
    void icon(const std::string& action, float cx, float cy, float size, Colour colour);
    std::string label(const ActionSource& action) const;

    Canvas& canvas_;
    TextPainter& text_;
    const Palette& palette_;
};

/** A rectangle grown on every side. */
Box grow(const Rect& rect, int margin);

} // namespace windlecroft::demo

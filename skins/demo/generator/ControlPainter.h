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

/** The size of a slider's knob picture, which bounds its travel. */
struct KnobSize {
    int width = 0;
    int height = 0;
};

/**
 * The knob a slider gets: as thick as its track, and short enough along it to leave most of the
 * track as travel.
 */
KnobSize knobSizeOf(const ElementSource& slider);

/**
 * Paints the elements of a page where their records put them: buttons with an icon or a
 * label chosen by their action, lamps, the volume boxes of the wheel zones, slider grooves and
 * knobs, and the playlist's row stripes. The rows' text, the documents and every value that
 * changes are drawn by the player over these pictures.
 */
class ControlPainter {
public:
    /** The column left of the playlist's text that shows which page each position plays in. */
    static constexpr int markGutter = 18;
    ControlPainter(Canvas& canvas, TextPainter& text, const Palette& palette);

    void button(const ElementSource& button, ControlState state);
    void lamp(const ElementSource& indicator, ControlState state);
    /** A wheel zone's box, captioned by the channel its wheel sets. */
    void wheel(const ElementSource& zone);
    /** A slider's groove, with ticks under a horizontal one. */
    void slider(const ElementSource& slider);
    /**
     * The playlist's decoration, which does not change with what the player draws over it:
     * every other row striped and, in the gutter left of the list, a sun, a setting sun or the
     * moon for the page each position plays in.
     */
    void playlist(const ElementSource& list, int entries);
    /**
     * The slider's knob picture: the canvas's own pixels at the middle of the track, so that the
     * picture's corners match whatever lies there, with a bead on them.
     */
    Canvas knob(const ElementSource& slider) const;

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

#pragma once

#include "ControlPainter.h"
#include "PagePictures.h"
#include "Palette.h"
#include "SkinLayout.h"
#include "TextPainter.h"

#include <string>
#include <vector>

namespace windlecroft::demo {

/** A knob picture, by the archive entry its slider names. */
struct KnobPicture {
    std::string entry;
    Canvas picture;
};

/** What a panel page is drawn with: its three pictures and its sliders' knobs. */
struct PanelPictures {
    PagePictures page;
    std::vector<KnobPicture> knobs;
};

/**
 * Draws a panel page: the shaped body with its sky window, the sunken playlist and document
 * wells, the title plate the player writes the track title and the time on, the spectrum's
 * glass, and every control of the page's records in its normal, pressed and highlighted form.
 * What changes while the player runs (the playlist's and the documents' text, the knobs'
 * places, the volumes, the time, the spectrum) is left for the player to draw.
 */
class PanelPainter {
public:
    PanelPainter(const SkinLayout& layout, TextPainter& text);

    PanelPictures paint(const PageSource& page, const Palette& palette) const;

private:
    Canvas paintBase(const PageSource& page, const Palette& palette) const;
    void paintControls(Canvas& canvas, const PageSource& page, const Palette& palette, ControlState state) const;

    const SkinLayout& layout_;
    TextPainter& text_;
};

} // namespace windlecroft::demo

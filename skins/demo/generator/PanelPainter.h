#pragma once

#include "ControlPainter.h"
#include "PagePictures.h"
#include "Palette.h"
#include "SkinLayout.h"
#include "TextPainter.h"

namespace windlecroft::demo {

/**
 * Draws a panel page: the shaped body with its sky window, the sunken playlist and document
 * wells, the title plate the player writes the track title on, the spectrum's glass, and every
 * control of the page's records in its normal, pressed and highlighted form.
 */
class PanelPainter {
public:
    PanelPainter(const SkinLayout& layout, TextPainter& text);

    PagePictures paint(const PageSource& page, const Palette& palette) const;

private:
    Canvas paintBase(const PageSource& page, const Palette& palette) const;
    void paintControls(Canvas& canvas, const PageSource& page, const Palette& palette, ControlState state) const;

    const SkinLayout& layout_;
    TextPainter& text_;
};

} // namespace windlecroft::demo

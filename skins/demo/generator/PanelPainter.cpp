#include "PanelPainter.h"

#include "Landscape.h"
#include "Outline.h"

namespace windlecroft::demo {

namespace {

// Fixed places that the player or the plugin decide, not the records: the player writes the
// track title at (51, 462), and the spectrum plugin paints into (424, 446)-(556, 488), the
// rectangle of the pages' live-plugin records.
constexpr Box titlePlate{36, 450, 403, 487};
constexpr Box spectrumGlass{420, 442, 561, 493};

Shape boxShape(Box box, float radius)
{
    return roundRect(static_cast<float>(box.left), static_cast<float>(box.top), static_cast<float>(box.right),
                     static_cast<float>(box.bottom), radius);
}

Box widen(Box box, int margin)
{
    return {box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

// A sunken area: a dark rim and the well's colour inside.
void well(Canvas& canvas, Box box, Colour colour, float radius)
{
    canvas.fill(boxShape(box, radius), widen(box, 1), shade(colour, -0.45f));
    canvas.fill(boxShape(widen(box, -1), radius - 1), box,
                verticalGradient(static_cast<float>(box.top), static_cast<float>(box.bottom), shade(colour, -0.08f), colour));
}

const char* pageLabel(TimeOfDay time)
{
    switch (time) {
    case TimeOfDay::Day: return "dzień";
    case TimeOfDay::Evening: return "wieczór";
    case TimeOfDay::Night: return "noc";
    }
    return "";
}

} // namespace

PanelPainter::PanelPainter(const SkinLayout& layout, TextPainter& text) : layout_(layout), text_(text) {}

Canvas PanelPainter::paintBase(const PageSource& page, const Palette& palette) const
{
    Canvas canvas(layout_.width, layout_.height, Colour{255, 255, 255});
    const Box all{0, 0, layout_.width, layout_.height};

    // The body: a rim, then the face lit from above.
    canvas.fill(panelOutline(), all, palette.rim);
    canvas.fill(insetPanelOutline(3), all, verticalGradient(34, 502, shade(palette.body, 0.14f), shade(palette.body, -0.1f)));

    // The sky window along the top, rising into the crest.
    const Box skyBox{22, 2, 579, 113};
    canvas.fill(unite(roundRect(22, 40, 578, 112, 28), circle(300, 60, 48)), skyBox, palette.rim);
    Landscape land(canvas, unite(roundRect(24, 42, 576, 110, 26), circle(300, 60, 46)), skyBox, palette);
    land.sky();
    switch (palette.time) {
    case TimeOfDay::Day:
        land.celestial(300, 56, 20);
        land.hills(96, 5);
        land.windmill(405, 102, 50, 0.35f);
        break;
    case TimeOfDay::Evening:
        land.celestial(300, 84, 26);
        land.hills(96, 5);
        land.windmill(405, 102, 50, 0.9f);
        break;
    case TimeOfDay::Night:
        land.stars(70, 7);
        land.celestial(300, 56, 20);
        land.hills(96, 5);
        land.windmill(405, 102, 50, 1.3f);
        break;
    }
    text_.draw(canvas, 44, 50, "Windlecroft", palette.skyText, 21, true);
    text_.draw(canvas, 46, 78, pageLabel(palette.time), palette.skyText, 12);

    // The wells of the playlist, with the gutter of its marks, and of the documents, from their
    // records.
    for (const ElementSource* list : page.all("text-list")) {
        Box box = grow(*list->rect, 6);
        box.left -= ControlPainter::markGutter;
        well(canvas, box, palette.well, 8);
    }
    for (const ElementSource* viewer : page.all("text-viewer")) {
        Box box = grow(*viewer->rect, 6);
        box.top -= 16;
        well(canvas, box, palette.well, 8);
        text_.draw(canvas, box.left + 8, box.top + 3, "documents", palette.wellTextDim, 11, true);
    }

    // The title plate and the spectrum's glass.
    well(canvas, titlePlate, palette.plate, 10);
    text_.draw(canvas, titlePlate.right - 8, titlePlate.top + 3, "now playing", shade(palette.plate, -0.4f), 10, false,
               TextPainter::Align::Right);
    well(canvas, spectrumGlass, palette.glass, 8);
    for (int y = spectrumGlass.top + 8; y < spectrumGlass.bottom - 4; y += 8)
        canvas.fill(boxShape({spectrumGlass.left + 4, y, spectrumGlass.right - 4, y + 1}, 0), spectrumGlass, shade(palette.glass, 0.12f));

    ControlPainter controls(canvas, text_, palette);
    for (const ElementSource* zone : page.all("wheel"))
        controls.wheel(*zone);
    for (const ElementSource* slider : page.all("slider"))
        controls.slider(*slider);
    for (const ElementSource* list : page.all("text-list"))
        controls.playlist(*list, static_cast<int>(layout_.playlist.size()));
    for (const ElementSource* lamp : page.all("indicator")) {
        if (lamp->state == "modulelooped")
            text_.draw(canvas, lamp->rect->right + 5, lamp->rect->top - 1, "loop", palette.engraving, 12, true);
    }
    return canvas;
}

void PanelPainter::paintControls(Canvas& canvas, const PageSource& page, const Palette& palette, ControlState state) const
{
    ControlPainter controls(canvas, text_, palette);
    for (const ElementSource* lamp : page.all("indicator"))
        controls.lamp(*lamp, state == ControlState::Highlight ? ControlState::Highlight : ControlState::Normal);
    for (const ElementSource* button : page.all("button"))
        controls.button(*button, state);
}

PanelPictures PanelPainter::paint(const PageSource& page, const Palette& palette) const
{
    Canvas base = paintBase(page, palette);
    std::vector<KnobPicture> knobs;
    ControlPainter onBase(base, text_, palette);
    for (const ElementSource* slider : page.all("slider"))
        knobs.push_back({slider->knob, onBase.knob(*slider)});
    PagePictures pictures{base, base, base};
    paintControls(pictures.normal, page, palette, ControlState::Normal);
    paintControls(pictures.pressed, page, palette, ControlState::Pressed);
    paintControls(pictures.highlight, page, palette, ControlState::Highlight);
    for (Canvas* canvas : {&pictures.normal, &pictures.pressed, &pictures.highlight})
        keyOutside(*canvas, panelOutline());
    return {std::move(pictures), std::move(knobs)};
}

} // namespace windlecroft::demo

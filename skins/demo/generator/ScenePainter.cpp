#include "ScenePainter.h"

#include "ControlPainter.h"
#include "Landscape.h"
#include "Outline.h"

namespace windlecroft::demo {

namespace {

Palette dawnPalette()
{
    Palette dawn = dayPalette();
    dawn.skyTop = Colour::hex(0x33467E);
    dawn.skyBottom = Colour::hex(0xF4B878);
    dawn.celestial = Colour::hex(0xFFC45A);
    dawn.celestialGlow = Colour::hex(0xFFE2A8);
    dawn.hillsFar = Colour::hex(0x6E7E5C);
    dawn.hillsNear = Colour::hex(0x46583A);
    dawn.silhouette = Colour::hex(0x2A2420);
    dawn.skyText = Colour::hex(0xFBF1E0);
    return dawn;
}

} // namespace

PagePictures ScenePainter::intro(const PageSource& page, int width, int height) const
{
    const Palette palette = dawnPalette();
    Canvas canvas(width, height, Colour{255, 255, 255});
    const Box all{0, 0, width, height};
    canvas.fill(introOutline(), all, palette.rim);
    const Shape inside = circle(300, 255, 200);
    Landscape land(canvas, inside, {100, 55, 500, 455}, palette);
    land.sky();
    land.stars(25, 3);
    land.celestial(300, 318, 38);
    land.hills(330, 14);
    land.windmill(388, 372, 130, 0.25f);
    text_.draw(canvas, 300, 118, "Windlecroft", palette.skyText, 38, true, TextPainter::Align::Centre);
    text_.draw(canvas, 300, 166, "a skinned music player", palette.skyText, 15, false, TextPainter::Align::Centre);

    PagePictures pictures{canvas, canvas, canvas};
    for (const ElementSource* button : page.all("button")) {
        ControlPainter(pictures.normal, text_, palette).button(*button, ControlState::Normal);
        ControlPainter(pictures.pressed, text_, palette).button(*button, ControlState::Pressed);
        ControlPainter(pictures.highlight, text_, palette).button(*button, ControlState::Highlight);
    }
    for (Canvas* picture : {&pictures.normal, &pictures.pressed, &pictures.highlight})
        keyOutside(*picture, introOutline());
    return pictures;
}

Canvas ScenePainter::outro(int width, int height) const
{
    Palette palette = nightPalette();
    palette.skyText = Colour::hex(0xEEF0FA);
    Canvas canvas(width, height, Colour{255, 255, 255});
    canvas.fill(outroOutline(), {0, 0, width, height}, palette.rim);
    Landscape land(canvas, roundRect(104, 64, 496, 446, 66), {100, 60, 500, 450}, palette);
    land.sky();
    land.stars(90, 11);
    land.celestial(412, 206, 28);
    land.hills(340, 14);
    land.windmill(210, 392, 140, 0.7f);
    text_.draw(canvas, 300, 92, "Do widzenia", palette.skyText, 34, true, TextPainter::Align::Centre);
    text_.draw(canvas, 300, 136, "thank you for listening", palette.skyText, 15, false, TextPainter::Align::Centre);
    keyOutside(canvas, outroOutline());
    return canvas;
}

} // namespace windlecroft::demo

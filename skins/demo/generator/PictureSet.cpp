#include "PictureSet.h"

#include "Outline.h"
#include "PanelPainter.h"
#include "PngFile.h"
#include "ScenePainter.h"

#include <string>

namespace windlecroft::demo {

namespace {

void writeMaskOf(const std::filesystem::path& path, const Shape& outline, int width, int height)
{
    writeMask(path, width, height, [&](int x, int y) { return outline(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f); });
}

// The knobs are never drawn by the player; their size bounds the knob's travel.
Canvas knob(int width, int height, const Palette& palette)
{
    Canvas canvas(width, height, palette.body);
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    canvas.fill(roundRect(0, 0, w, h, 3), {0, 0, width, height}, verticalGradient(0, h, shade(palette.face, 0.3f), palette.faceShadow));
    return canvas;
}

} // namespace

void writePictures(const SkinLayout& layout, TextPainter& text, const std::filesystem::path& folder)
{
    const std::filesystem::path pictures = folder / "pictures";
    const PanelPainter panel(layout, text);
    const std::pair<const char*, Palette> pages[] = {{"dzien", dayPalette()}, {"wieczor", eveningPalette()}, {"noc", nightPalette()}};
    for (const auto& [name, palette] : pages) {
        const PagePictures set = panel.paint(layout.page(name), palette);
        writePicture(pictures / (std::string(name) + ".png"), set.normal.surface());
        writePicture(pictures / (std::string(name) + "-pressed.png"), set.pressed.surface());
        writePicture(pictures / (std::string(name) + "-highlight.png"), set.highlight.surface());
    }

    const ScenePainter scenes(text);
    const PagePictures intro = scenes.intro(layout.page("intro"), layout.width, layout.height);
    writePicture(pictures / "intro.png", intro.normal.surface());
    writePicture(pictures / "intro-highlight.png", intro.highlight.surface());
    writePicture(pictures / "outro.png", scenes.outro(layout.width, layout.height).surface());

    writePicture(pictures / "seek-knob.png", knob(14, 14, dayPalette()).surface());
    writePicture(pictures / "viewer-knob.png", knob(12, 10, dayPalette()).surface());

    writeMaskOf(folder / "masks" / "panel.png", panelOutline(), layout.width, layout.height);
    writeMaskOf(folder / "masks" / "intro.png", introOutline(), layout.width, layout.height);
    writeMaskOf(folder / "masks" / "outro.png", outroOutline(), layout.width, layout.height);
}

} // namespace windlecroft::demo

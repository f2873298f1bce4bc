#include "PictureSet.h"

#include "Outline.h"
#include "PanelPainter.h"
#include "PngFile.h"
#include "ScenePainter.h"

#include <stdexcept>
#include <string>

namespace windlecroft::demo {

namespace {

void writeMaskOf(const std::filesystem::path& path, const Shape& outline, int width, int height)
{
    writeMask(path, width, height, [&](int x, int y) { return outline(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f); });
}

} // namespace

void writePictures(const SkinLayout& layout, TextPainter& text, const std::filesystem::path& folder)
{
    const std::filesystem::path pictures = folder / "pictures";
    const PanelPainter panel(layout, text);
    const std::pair<const char*, Palette> pages[] = {{"dzien", dayPalette()}, {"wieczor", eveningPalette()}, {"noc", nightPalette()}};
    for (const auto& [name, palette] : pages) {
        const PanelPictures set = panel.paint(layout.page(name), palette);
        writePicture(pictures / (std::string(name) + ".png"), set.page.normal.surface());
        writePicture(pictures / (std::string(name) + "-pressed.png"), set.page.pressed.surface());
        writePicture(pictures / (std::string(name) + "-highlight.png"), set.page.highlight.surface());
        // Each page has its own knobs, on its own colours; the entry says where each one goes.
        for (const KnobPicture& knob : set.knobs) {
            const EntrySource& entry = layout.entry(knob.entry);
            if (entry.picture.empty())
                throw std::runtime_error("the knob entry \"" + knob.entry + "\" is made from no picture");
            writePicture(folder / entry.picture, knob.picture.surface());
        }
    }

    const ScenePainter scenes(text);
    const PagePictures intro = scenes.intro(layout.page("intro"), layout.width, layout.height);
    writePicture(pictures / "intro.png", intro.normal.surface());
    writePicture(pictures / "intro-highlight.png", intro.highlight.surface());
    writePicture(pictures / "outro.png", scenes.outro(layout.width, layout.height).surface());

    writeMaskOf(folder / "masks" / "panel.png", panelOutline(), layout.width, layout.height);
    writeMaskOf(folder / "masks" / "intro.png", introOutline(), layout.width, layout.height);
    writeMaskOf(folder / "masks" / "outro.png", outroOutline(), layout.width, layout.height);
}

} // namespace windlecroft::demo

#include "TextFit.h"

#include "elements/TextBlock.h"
#include "elements/TextViewer.h"

#include <stdexcept>
#include <string>

namespace windlecroft::demo {

namespace {

void checkFont(const PageSource& page, const ElementSource& element, const FontSource& font)
{
    // The generator measures with DejaVu Sans alone, the face the skin installs.
    if (font.face != "DejaVu Sans")
        throw std::runtime_error("font \"" + font.name + "\" is " + font.face + ", and only DejaVu Sans can be measured here");
    if (element.rowHeight < font.height)
        throw std::runtime_error("page \"" + page.name + "\": the " + element.kind + "'s rows (" + std::to_string(element.rowHeight) +
                                 " pixels) are lower than its font's cell (" + std::to_string(font.height) + ")");
}

void checkWidth(const PageSource& page, const ElementSource& element, int width, const std::string& what)
{
    if (width > element.rect->width())
        throw std::runtime_error("page \"" + page.name + "\": " + what + " is " + std::to_string(width) + " pixels wide, the " +
                                 element.kind + " " + std::to_string(element.rect->width()));
}

} // namespace

void checkTextFits(const SkinLayout& layout, TextPainter& text)
{
    for (const PageSource& page : layout.pages) {
        for (const ElementSource* list : page.all("text-list")) {
            const FontSource& font = layout.font(list->font);
            checkFont(page, *list, font);
            for (const TrackSource& track : layout.playlist)
                checkWidth(page, *list, text.width(track.name, font.height, font.weight >= 600), "\"" + track.name + "\"");
        }
        for (const ElementSource* viewer : page.all("text-viewer")) {
            const FontSource& font = layout.font(viewer->font);
            checkFont(page, *viewer, font);
            for (const ElementSource* document : page.all("document")) {
                checkWidth(page, *viewer, text.width(document->title, font.height, font.weight >= 600), "\"" + document->title + "\"");
                const TextBlock lines(toWindows1250(layout.entry(document->file).text), TextViewer::wrapWidth);
                for (int i = 0; i < lines.lineCount(); ++i) {
                    const std::string_view line = lines.line(i);
                    checkWidth(page, *viewer, text.widthOfWindows1250(line, font.height, font.weight >= 600),
                               "line " + std::to_string(i + 1) + " of " + document->file + " (\"" + std::string(line) + "\")");
                }
            }
        }
    }
}

} // namespace windlecroft::demo

#include "elements/StyledList.h"

#include "elements/TextList.h"
#include "elements/TextViewer.h"
#include "resources/Font.h"
#include "resources/Surface.h"

#include <algorithm>

namespace windlecroft {

namespace {

void fillRow(Surface& target, const Rect& row, std::uint32_t colour)
{
    const Rect area = intersection(row, {0, 0, target.width(), target.height()});
    for (int y = area.top; y < area.bottom; ++y)
        std::fill(target.row(y) + area.left, target.row(y) + area.right, colour);
}

} // namespace

ListLook lookOf(const TextList& list, int playing)
{
    return {list.top(), list.selected(), list.hoverRow(), playing, list.lineCount(), false, 0, 0};
}

ListLook lookOf(const TextViewer& viewer)
{
    ListLook look = lookOf(viewer.titles(), -1);
    look.reading = viewer.reading();
    look.open = viewer.openIndex();
    look.firstLine = viewer.firstLine();
    return look;
}

void drawList(Surface& target, const TextList& list, const ListStyle& style, int playing, const Rect& clip)
{
    const Font* font = list.font();
    if (!font || list.rowHeight() <= 0)
        return;
    const Rect& rect = list.rect();
    const Rect visible = intersection(clip, rect);
    // A frame that redraws only other live parts passes this list by.
    if (holdsNoPixel(visible))
        return;
    for (int row = 0; row < list.visibleRows(); ++row) {
        const int index = list.top() + row;
        if (index >= list.lineCount())
            break;
        const int y = rect.top + row * list.rowHeight();
        const Rect rowRect{rect.left, y, rect.right, y + list.rowHeight()};
        if (holdsNoPixel(intersection(rowRect, visible)))
            continue;
        std::uint32_t colour = style.text;
        if (index == playing)
            colour = style.playing;
        else if (index == list.selected())
            colour = style.selected;
        else if (index == list.hoverRow())
            colour = style.hover;
        if (index == list.selected() && style.bar != ListStyle::noBar)
            fillRow(target, intersection(rowRect, visible), pixelOf(style.bar));
        // The line is centred in its row, as a live text in its rectangle.
        const int textY = y + (list.rowHeight() - font->cellHeight()) / 2;
        font->drawText(target, rect.left, textY, list.line(index), colour, intersection(rowRect, visible));
    }
}

void drawViewer(Surface& target, const TextViewer& viewer, const ListStyle& style, const Rect& clip)
{
    if (!viewer.reading()) {
        drawList(target, viewer.titles(), style, -1, clip);
        return;
    }
    const TextBlock* document = viewer.openDocument();
    const Font* font = viewer.font();
    const int rowHeight = viewer.titles().rowHeight();
    if (!document || !font || rowHeight <= 0)
        return;
    const Rect& rect = viewer.rect();
    const Rect visible = intersection(clip, rect);
    if (holdsNoPixel(visible))
        return;
    for (int row = 0; row < viewer.pageRows(); ++row) {
        const int line = viewer.firstLine() + row;
        if (line >= document->lineCount())
            break;
        const int y = rect.top + row * rowHeight;
        font->drawText(target, rect.left, y + (rowHeight - font->cellHeight()) / 2, document->line(line), style.text, visible);
    }
}

} // namespace windlecroft

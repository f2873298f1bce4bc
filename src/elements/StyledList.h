#pragma once

#include "base/Rect.h"
#include "elements/LiveKinds.h"

namespace windlecroft {

class Surface;
class TextList;
class TextViewer;

/**
 * What a drawn list shows: its rows from the top, the selected, hovered and playing rows, and
 * for a viewer whether a document is open and from which line. A list is drawn again when this
 * changes.
 */
struct ListLook {
    int top = 0;
    int selected = 0;
    int hover = 0;
    int playing = 0;
    int lines = 0;
    bool reading = false;
    int open = 0;
    int firstLine = 0;
    bool operator==(const ListLook&) const = default;
};

ListLook lookOf(const TextList& list, int playing);
ListLook lookOf(const TextViewer& viewer);

/**
 * Draws the list's rows with its own font, one line per row from its top, clipped to its
 * rectangle and to clip: the row of the playing position in the playing colour, the selected
 * row in the selected colour (on a bar when the style has one), the hovered row in the hover
 * colour, the others in the text colour.
 */
void drawList(Surface& target, const TextList& list, const ListStyle& style, int playing, const Rect& clip);

/** A viewer: its titles as a list, or, while a document is open, its lines from the first shown. */
void drawViewer(Surface& target, const TextViewer& viewer, const ListStyle& style, const Rect& clip);

} // namespace windlecroft

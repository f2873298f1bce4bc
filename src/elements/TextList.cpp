#include "elements/TextList.h"

#include "elements/RectExtent.h"

#include <algorithm>

namespace windlecroft {

TextList::TextList(int activation, Rect rect, const Font* font, int rowHeight)
    : rect_(rect), activation_(activation), rowHeight_(rowHeight), font_(font)
{
}

int TextList::rowAt(int y) const
{
    // A row height of 0 comes from the file unchecked; such a list simply has no rows.
    if (rowHeight_ <= 0)
        return -1;
    return clampToInt((std::int64_t{y} - rect_.top) / rowHeight_);
}

void TextList::addLine(std::string text)
{
    lines_.push_front(std::move(text));
    const int count = lineCount();
    const int fitting = rowHeight_ > 0 ? drawnHeight(rect_) / rowHeight_ : 0;
    visibleRows_ = std::max(0, std::min(fitting, count));
    maxTop_ = std::max(0, count - visibleRows_);
}

void TextList::hoverAt(int x, int y)
{
    const int row = rowAt(y);
    hoverRow_ = rect_.contains(x, y) && row >= 0 ? clampToInt(std::int64_t{top_} + row) : -1;
}

bool TextList::click(int kind, bool pressed, int x, int y)
{
    if (kind != activation_)
        return false;
    if (!rect_.contains(x, y)) {
        if (kind == 1)
            pressedRow_ = -1;
        return false;
    }
    const int row = rowAt(y);
    if (kind == 0) {
        // The double-click route of a list that single clicks do not activate.
        if (!pressed || row < 0 || row > visibleRows_ - 1)
            return false;
        selected_ = top_ + row;
        return true;
    }
    if (pressed) {
        if (row < 0 || row > visibleRows_ - 1)
            return false;
        pressedRow_ = top_ + row;
        return true;
    }
    if (row < 0 || row > visibleRows_ - 1) {
        pressedRow_ = -1;
        return false;
    }
    const int old = pressedRow_;
    pressedRow_ = -1;
    if (old != top_ + row)
        return false;
    selected_ = old;
    return true;
}

void TextList::showSelected()
{
    if (selected_ - top_ >= visibleRows_)
        top_ = selected_ - visibleRows_ + 1;
    if (selected_ - top_ < 0)
        top_ = selected_;
}

void TextList::scrollUp()
{
    top_ = std::max(0, top_ - 1);
}

void TextList::scrollDown()
{
    top_ = top_ < maxTop_ ? top_ + 1 : maxTop_;
}

// The offset of 2 makes the last position reachable at 98 percent.
void TextList::scrollToPercent(float percent)
{
    const double t = (static_cast<double>(percent) + 2.0) * maxTop_ * 0.01;
    top_ = static_cast<int>(std::min(t, static_cast<double>(maxTop_)));
}

} // namespace windlecroft

#pragma once

#include "base/Rect.h"

#include <deque>
#include <string>

namespace windlecroft {

class Font;

/**
 * A list of text rows of fixed height inside a rectangle, with a scroll position, a selected
 * row and click handling. In activation mode 1 a press and a release on the same row activate
 * it; in mode 0 only a double click does. Lines are kept newest first, as they are added.
 */
class TextList {
public:
    TextList(int activation, Rect rect, const Font* font, int rowHeight);

    void addLine(std::string text);
    void hoverAt(int x, int y);
    /** kind 1: single click (press, then release); kind 0: double click. Returns whether a row was activated or, for a press, taken. */
    bool click(int kind, bool pressed, int x, int y);

    void showSelected();
    void scrollUp();
    void scrollDown();
    void scrollToPercent(float percent);

    const Rect& rect() const { return rect_; }
    int activation() const { return activation_; }
    int visibleRows() const { return visibleRows_; }
    int maxTop() const { return maxTop_; }
    int top() const { return top_; }
    int rowHeight() const { return rowHeight_; }
    int selected() const { return selected_; }
    void setSelected(int index) { selected_ = index; }
    int pressedRow() const { return pressedRow_; }
    int hoverRow() const { return hoverRow_; }
    const Font* font() const { return font_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    /** Line i counted from the newest, the order in which the list shows them. */
    const std::string& line(int index) const { return lines_[static_cast<std::size_t>(index)]; }

private:
    /** The row under y counted from the rectangle's top, or −1 when rows have no height. */
    int rowAt(int y) const;

    Rect rect_;
    int activation_;
    int visibleRows_ = 0;
    int maxTop_ = 0;
    int top_ = 0;
    int rowHeight_;
    int selected_ = 0;
    int pressedRow_ = -1;
    int hoverRow_ = -1;
    const Font* font_;
    std::deque<std::string> lines_;
};

} // namespace windlecroft

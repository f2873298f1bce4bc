#pragma once

#include "base/Rect.h"
#include "elements/TextBlock.h"
#include "elements/TextList.h"

#include <deque>
#include <memory>
#include <string>
#include <utility>

namespace windlecroft {

/**
 * A reader for text documents: in list mode it shows the titles through an inner text list;
 * a completed click on a title opens that document, which then scrolls line by line.
 */
class TextViewer {
public:
    /** Documents are wrapped at this many bytes per line. */
    static constexpr int wrapWidth = 28;

    TextViewer(Rect rect, const Font* font, int rowHeight);

    /** Adds a document (title, wrapped text); it becomes the first of the titles. */
    void addDocument(std::string title, std::unique_ptr<TextBlock> block);

    void hoverAt(int x, int y);
    /** A press (pressed true) or release inside or outside; returns whether the viewer takes it. */
    bool press(bool pressed, int x, int y);
    void scrollUp();
    void scrollDown();
    void close();
    void scrollToPercent(float percent);

    const Rect& rect() const { return rect_; }
    const TextList& titles() const { return titles_; }
    /** The font the skin names for the viewer; kept for drawing, which the page leaves to others. */
    const Font* font() const { return font_; }
    int pageRows() const { return pageRows_; }
    /** Lines of the open document beyond one reading page: the last first line. */
    int lastFirstLine() const;
    int firstLine() const { return firstLine_; }
    int openIndex() const { return openIndex_; }
    bool reading() const { return reading_; }
    int documentCount() const { return static_cast<int>(documents_.size()); }
    /** The open document, or nullptr when the index names none. */
    const TextBlock* openDocument() const;
    const std::string& documentTitle(int index) const { return documents_[static_cast<std::size_t>(index)].first; }

private:

    Rect rect_;
    TextList titles_;
    const Font* font_;
    std::deque<std::pair<std::string, std::unique_ptr<TextBlock>>> documents_;
    int pageRows_;
    int firstLine_ = 0;
    int openIndex_ = 0;
    bool reading_ = false;
};

} // namespace windlecroft

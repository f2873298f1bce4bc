#include "elements/TextViewer.h"

#include "elements/RectExtent.h"

namespace windlecroft {

TextViewer::TextViewer(Rect rect, const Font* font, int rowHeight)
    : rect_(rect), titles_(1, rect, font, rowHeight), font_(font), pageRows_(rowHeight > 0 ? drawnHeight(rect) / rowHeight : 0)
{
}

void TextViewer::addDocument(std::string title, std::unique_ptr<TextBlock> block)
{
    titles_.addLine(title);
    documents_.emplace_front(std::move(title), std::move(block));
}

const TextBlock* TextViewer::openDocument() const
{
    if (openIndex_ < 0 || openIndex_ >= documentCount())
        return nullptr;
    return documents_[static_cast<std::size_t>(openIndex_)].second.get();
}

int TextViewer::lastFirstLine() const
{
    const TextBlock* document = openDocument();
    return distance(document ? document->lineCount() : 0, pageRows_);
}

void TextViewer::hoverAt(int x, int y)
{
    if (!reading_)
        titles_.hoverAt(x, y);
}

bool TextViewer::press(bool pressed, int x, int y)
{
    if (!reading_ && titles_.click(1, pressed, x, y) && !pressed) {
        reading_ = true;
        openIndex_ = titles_.selected();
        firstLine_ = 0;
        return true;
    }
    return rect_.contains(x, y);
}

void TextViewer::scrollUp()
{
    if (!reading_)
        titles_.scrollUp();
    else if (firstLine_ > 0)
        --firstLine_;
}

void TextViewer::scrollDown()
{
    if (!reading_)
        titles_.scrollDown();
    else if (firstLine_ < lastFirstLine())
        ++firstLine_;
}

void TextViewer::close()
{
    reading_ = false;
}

// The offset here is 1, unlike the title list's 2.
void TextViewer::scrollToPercent(float percent)
{
    if (!reading_) {
        titles_.scrollToPercent(percent);
        return;
    }
    const int last = lastFirstLine();
    // Clamped before the conversion, which could not represent a value beyond last.
    const double line = last * (static_cast<double>(percent) + 1.0) * 0.01;
    firstLine_ = line >= last ? last : static_cast<int>(line);
    if (firstLine_ < 0)
        firstLine_ = 0;
}

} // namespace windlecroft

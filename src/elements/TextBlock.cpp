#include "elements/TextBlock.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace windlecroft {

TextBlock::TextBlock(std::string_view text, int width)
    // Places in the text are 32-bit: a longer text is cut (documents are capped far below).
    : text_(text.substr(0, std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max())))
{
    const std::size_t size = text_.size();
    const auto addLine = [this](std::size_t start, std::size_t end) {
        lines_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)});
    };
    int column = 0;
    std::size_t breakAt = 0; // one past the last space (or the newline); 0 for none
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text_[i];
        if (c == ' ')
            breakAt = i + 1;
        bool lineEnds = false;
        if (c == '\n') {
            breakAt = i + 1;
            lineEnds = true;
        } else if (column == width) {
            lineEnds = true;
        }
        if (lineEnds) {
            // The byte at the break (or, without one, the byte at i) ends the line and is lost.
            const std::size_t terminator = breakAt == 0 ? i : breakAt - 1;
            addLine(lineStart, terminator);
            lineStart = terminator + 1;
            column = breakAt == 0 ? 0 : static_cast<int>(i - breakAt);
            breakAt = 0;
        }
        ++column;
    }
    addLine(std::min(lineStart, size), size);
}

} // namespace windlecroft

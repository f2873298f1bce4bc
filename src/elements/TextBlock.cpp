#include "elements/TextBlock.h"

#include <cstddef>

namespace windlecroft {

TextBlock::TextBlock(std::string_view text, int width)
{
    int column = 0;
    std::size_t breakAt = 0; // one past the last space (or the newline); 0 for none
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
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
            lines_.emplace_back(text.substr(lineStart, terminator - lineStart));
            lineStart = terminator + 1;
            column = breakAt == 0 ? 0 : static_cast<int>(i - breakAt);
            breakAt = 0;
        }
        ++column;
    }
    lines_.emplace_back(text.substr(lineStart < text.size() ? lineStart : text.size()));
}

} // namespace windlecroft

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft {

/**
 * A document's text wrapped into lines of at most `width` bytes. A line breaks at a newline,
 * or when it is full: after its last space if it has one (the space is dropped), otherwise
 * at the byte that would overflow it, which is dropped. A carriage return is an ordinary byte.
 *
 * The text is kept once and each line as a place in it, so a document of nothing but line
 * breaks costs eight bytes a line.
 */
class TextBlock {
public:
    TextBlock(std::string_view text, int width);
    TextBlock(std::span<const unsigned char> bytes, int width)
        : TextBlock(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), width)
    {
    }

    int lineCount() const { return static_cast<int>(lines_.size()); }
    /** The line at index (0 ≤ index < lineCount()). */
    std::string_view line(int index) const
    {
        const Line& at = lines_[static_cast<std::size_t>(index)];
        return std::string_view(text_).substr(at.start, at.length);
    }

private:
    struct Line {
        std::uint32_t start;
        std::uint32_t length;
    };

    std::string text_;
    std::vector<Line> lines_;
};

} // namespace windlecroft

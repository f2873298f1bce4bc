#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft {

/**
 * A document's text wrapped into lines of at most `width` bytes. A line breaks at a newline,
 * or when it is full: after its last space if it has one (the space is dropped), otherwise
 * at the byte that would overflow it, which is dropped. A carriage return is an ordinary byte.
 */
class TextBlock {
public:
    TextBlock(std::string_view text, int width);
    TextBlock(std::span<const unsigned char> bytes, int width)
        : TextBlock(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), width)
    {
    }

    int lineCount() const { return static_cast<int>(lines_.size()); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

} // namespace windlecroft

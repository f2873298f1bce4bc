// The document wrap over fuzzed text and widths: the lines are the text in order, each line
// end taking exactly one byte (the newline, the last space, or the byte that overflowed), and
// no line is longer than the width.
#include "FuzzInput.h"

#include "elements/TextBlock.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    windlecroft::fuzz::FuzzInput in(data, size);
    const int width = in.u8();
    const std::span<const std::uint8_t> bytes = in.rest();
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());

    const windlecroft::TextBlock block(bytes, width);
    if (block.lineCount() < 1)
        std::abort();
    std::size_t at = 0;
    for (int i = 0; i < block.lineCount(); ++i) {
        const std::string_view line = block.line(i);
        if (width > 0 && line.size() > static_cast<std::size_t>(width))
            std::abort();
        // Every newline ends a line.
        if (line.find('\n') != std::string_view::npos)
            std::abort();
        if (text.substr(at, line.size()) != line)
            std::abort();
        at += line.size();
        const bool last = i + 1 == block.lineCount();
        if (!last) {
            // The byte that ended the line: a newline, a space, or any byte at a full line.
            if (at >= text.size())
                std::abort();
            ++at;
        }
    }
    if (at != text.size())
        std::abort();
    return 0;
}

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace windlecroft::skin {

/**
 * The skin stores its texts as Windows-1250 bytes; the source holds them as UTF-8. Both
 * conversions are strict: they give nothing when a byte has no character in the code page
 * (0x81, 0x83, 0x88, 0x90, 0x98), when the UTF-8 is malformed or holds a character the code
 * page lacks, or when the text contains a zero byte. A text that converts one way converts
 * back to the same bytes.
 */
std::optional<std::string> windows1250ToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToWindows1250(std::string_view text);

} // namespace windlecroft::skin

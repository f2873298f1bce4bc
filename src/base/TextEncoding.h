#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace windlecroft {

/**
 * Names in the skin are byte strings in the Windows-1250 code page; text shown to a person
 * (the window title, tray texts, documents, track titles) is decoded from it to UTF-8. A byte
 * without a character in the code page (0x81, 0x83, ...) shows as '?'.
 */
std::string decodeWindows1250(std::string_view bytes);

/**
 * The strict conversions a skin source needs, which give nothing when a byte has no character
 * in the code page, when the UTF-8 is malformed or holds a character the code page lacks, or
 * when the text contains a zero byte. A text that converts one way converts back to the same
 * bytes.
 */
std::optional<std::string> windows1250ToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToWindows1250(std::string_view text);

} // namespace windlecroft

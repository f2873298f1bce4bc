#pragma once

#include <string>
#include <string_view>

namespace windlecroft {

/**
 * Names in the skin are byte strings in the Windows-1250 code page; text shown to a person
 * (the window title, tray texts, documents, track titles) is decoded from it to UTF-8.
 */
std::string decodeWindows1250(std::string_view bytes);

} // namespace windlecroft

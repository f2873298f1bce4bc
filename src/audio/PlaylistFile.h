#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft {

/**
 * The file a playlist entry names. Skin names are Windows-1250 bytes, often written with the
 * backslashes of the system skins were first made on. The raw bytes are tried first (a file of
 * exactly that name), then the name decoded to UTF-8 as today's file systems spell it, each as it
 * stands and with '\' read as a folder separator. When none of them names a file the UTF-8 form
 * is given, so that what cannot be played is reported readably.
 */
std::filesystem::path playlistFile(std::string_view name);

/**
 * The names playlistFile tries, in its order: the raw bytes, the UTF-8 form, and each with '\'
 * as a folder separator, each once. The skin tool looks for a skin's music the same way.
 */
std::vector<std::string> playlistFileNames(std::string_view name);

} // namespace windlecroft

#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace windlecroft {

/**
 * Where the player looks for a plugin library. The skin tool follows the same rules when it
 * checks, dumps and builds a skin, so that it finds exactly the file the player would load.
 */

/**
 * The file names a plugin chunk's file is looked for under, in order: the name itself and,
 * for a name ending in ".dll" (any case), the same name ending in ".so" instead, since skins
 * written for Windows name their plugins "x.dll". Empty when the name is empty, "." or "..",
 * or has a folder part ('/' or the skin's own '\\'): such a name could reach outside the
 * searched folders and is never loaded.
 */
std::vector<std::string> pluginFileNames(const std::string& name);

/**
 * The program's own plugin folder: "plugins" beside the program in the build tree, or
 * lib/windlecroft/plugins of an installation whose programs stand in bin/.
 */
std::filesystem::path programPluginFolder(const std::filesystem::path& programDir);

} // namespace windlecroft

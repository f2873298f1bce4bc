#pragma once

#include <filesystem>

namespace windlecroft {

/**
 * Where a plugin named by a bare file name is looked for before the system's library path:
 * the working directory (the skin folder), then the program's own folder.
 */
struct PluginSearch {
    std::filesystem::path workingDir;
    std::filesystem::path programDir;
};

} // namespace windlecroft

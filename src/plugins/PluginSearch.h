#pragma once

#include <filesystem>

namespace windlecroft {

/**
 * The only folders plugins are loaded from, in this order: the skin folder, then the
 * program's own plugin folder. An empty path is not searched.
 */
struct PluginSearch {
    std::filesystem::path skinDir;
    std::filesystem::path pluginDir;
};

} // namespace windlecroft

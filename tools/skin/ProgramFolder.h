#pragma once

#include <filesystem>

namespace windlecroft::skin {

/**
 * The folder of the running program, links resolved; empty when it cannot be found. The player
 * stands beside the skin tool, so its programs and plugin folder are found from here.
 */
std::filesystem::path programFolder();

/** The player's own plugin folder as seen from this program, or empty when the program's folder is unknown. */
std::filesystem::path playerPluginFolder();

} // namespace windlecroft::skin

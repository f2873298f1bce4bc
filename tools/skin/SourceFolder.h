#pragma once

#include "skin/Diagnostics.h"
#include "skin/SourceCompiler.h"

#include <filesystem>
#include <optional>

namespace windlecroft::skin {

/**
 * Compiles folder/skin.toml with the assets of folder and walks the result as the player would
 * (lintSkin): the one set of rules that check reports and build enforces. Playlist files are
 * looked for in musicFolder, plugin files in folder and the player's plugin folder. Nothing
 * when skin.toml cannot be read, which is reported too.
 */
std::optional<CompiledSkin> compileSourceFolder(const std::filesystem::path& folder, const std::filesystem::path& musicFolder,
                                                bool allowOutside, Diagnostics& diagnostics);

} // namespace windlecroft::skin

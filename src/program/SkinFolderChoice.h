#pragma once

#include <filesystem>
#include <optional>

namespace windlecroft {

/**
 * Which skin folder the player opens. The program's own folder comes in from the caller (the
 * shell knows how to find it), so the choice itself reads nothing but the folders it is given.
 */

/**
 * The demo skin that comes with the program: skins/demo beside it in the build tree, or
 * share/windlecroft/skins/demo of an installation whose programs stand in bin/. Empty when
 * neither holds a windlecroft.cfg or the program's folder is unknown (empty).
 */
std::filesystem::path bundledSkinFolder(const std::filesystem::path& programDir);

/**
 * The folder the player changes into before it reads its skin: the folder named on the command
 * line; else the working folder when it holds a windlecroft.cfg of any kind (a broken one is
 * reported, not passed over for another skin); else the bundled demo skin; else the working
 * folder, where the player then reports the missing windlecroft.cfg.
 */
std::filesystem::path chooseSkinFolder(const std::optional<std::filesystem::path>& named,
    const std::filesystem::path& workingDir, const std::filesystem::path& programDir);

} // namespace windlecroft

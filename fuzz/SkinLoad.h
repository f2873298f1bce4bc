#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace windlecroft::fuzz {

/**
 * Loads a skin into a fresh headless player (headless desktop with translucent windows, manual
 * clock, null audio output): the archive is taken as it is and the configuration walked. A
 * windlecroft::Error is the player's own report of a bad skin and counts as a normal outcome;
 * anything else escapes. The load aborts when a file appears in the temporary folder, or when
 * a skin that loads asks for a window the player cannot allocate.
 *
 * The temporary folder is a private folder of this process, which also stands as the skin
 * folder where plugins are looked for.
 */
void loadSkin(std::span<const std::uint8_t> config, std::vector<std::uint8_t> archive);

} // namespace windlecroft::fuzz

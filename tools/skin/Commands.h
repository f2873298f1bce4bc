#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace windlecroft::skin {

/**
 * The commands of windlecroft-skin. Each reports on err (check reports on out) and returns the
 * process exit status: 0 on success, 1 when something failed.
 */

/**
 * Compiles SOURCE/skin.toml and its assets into SKIN/windlecroft.cfg and SKIN/windlecroft.dat.
 * Assets whose real location lies outside SOURCE are refused unless allowOutside.
 */
int buildSkin(const std::filesystem::path& sourceFolder, const std::filesystem::path& skinFolder, bool allowOutside,
              std::ostream& err);

/** Writes the source of a built skin: skin.toml, and the archive's entries as files under archive/. */
int dumpSkin(const std::filesystem::path& skinFolder, const std::filesystem::path& sourceFolder, std::ostream& err);

/** Prints every archive entry: its size and its name. */
int listArchive(const std::filesystem::path& archive, std::ostream& out, std::ostream& err);

/**
 * Writes the named entries (all when names is empty) as files into folder. Never writes through
 * a symbolic link below folder; replaces an existing file only when overwrite is given.
 */
int extractArchive(const std::filesystem::path& archive, const std::vector<std::string>& names,
                   const std::filesystem::path& folder, bool overwrite, std::ostream& err);

/**
 * Checks a source folder (with skin.toml) or a built skin folder (with windlecroft.cfg). Playlist
 * files are looked for in musicFolder, by default the checked folder. A source's assets outside
 * its folder are errors, as for build, unless allowOutside. Fails when any error is found.
 */
int checkSkin(const std::filesystem::path& folder, const std::optional<std::filesystem::path>& musicFolder, bool allowOutside,
              std::ostream& out);

/**
 * Writes a small, complete source into folder, which must be new or empty: skin.toml with one
 * page, a play, a next and a quit button, a window mask, a system font and a playlist of two
 * generated tones, with the pictures and music it names. Says on out what to do next.
 */
int newSkin(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);

/**
 * Builds the source into a private folder and runs the player (windlecroft beside this program,
 * or on PATH) on it with playerArguments before the folder; rebuilds and restarts the player
 * whenever a file of the source changes, and shows a build's errors instead of starting a
 * broken skin. Ends, stopping the player, on SIGINT or SIGTERM. Reports its steps on out.
 */
int previewSkin(const std::filesystem::path& sourceFolder, const std::vector<std::string>& playerArguments, bool allowOutside,
                std::ostream& out, std::ostream& err);

} // namespace windlecroft::skin

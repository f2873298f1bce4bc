#pragma once

#include "skin/SkinRecords.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::skin {

/**
 * The files of a skin folder that stand beside windlecroft.cfg and windlecroft.dat because the
 * configuration names them: the playlist's music and the plugins' libraries. dump brings them
 * into a source and build puts them beside the built skin, so that a skin travels whole.
 *
 * A name is a Windows-1250 text of the skin. The player opens it as it is, relative to the
 * skin folder; a source folder holds the same file under the name's UTF-8 form, as skin.toml
 * writes it.
 */
struct FolderFile {
    /** The path in the skin folder, as the player opens it, with '/' between folders. */
    std::string skinPath;
    /** The path in a source folder. */
    std::string sourcePath;
    bool plugin = false;
};

/** The file a skin text names in a folder: the bytes as they are, or their UTF-8 form in a source. */
std::filesystem::path folderPath(const std::string& name, bool inSource);

/**
 * The playlist's files that lie in or below the skin folder, once each, and for every plugin
 * chunk the first of its file names (pluginFileNames) that folder holds as a regular file,
 * looking with source names when inSource. A name that could leave the folder (absolute, or
 * climbing out with "..") or that stands for the skin's own files is left out and described
 * in skipped.
 */
std::vector<FolderFile> listFolderFiles(const SkinFile& skin, const std::filesystem::path& folder, bool inSource,
                                        std::vector<std::string>& skipped);

/** The most all these files of one skin may hold together. */
inline constexpr std::uint64_t maxFolderFileBytes = std::uint64_t{1} << 30;

} // namespace windlecroft::skin

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
 * A name is a Windows-1250 text of the skin. A playlist file is found as the player finds it
 * (playlistFileNames: the bytes, their UTF-8 form, '\' as a folder separator) and keeps the path
 * it was found under. A plugin file is opened by the player under the bytes as they are; a
 * source folder holds it under the name's UTF-8 form, as skin.toml writes it.
 */
struct FolderFile {
    /** The path in the skin folder, with '/' between folders. */
    std::string skinPath;
    /** The path in a source folder. */
    std::string sourcePath;
    bool plugin = false;
};

/** The file a plugin's name stands for in a folder: the bytes as they are, or their UTF-8 form in a source. */
std::filesystem::path folderPath(const std::string& name, bool inSource);

/**
 * The path, relative to folder, under which the player would find the playlist file name when
 * folder is its working folder; nothing when no such file is there.
 */
std::optional<std::string> findPlaylistFile(const std::filesystem::path& folder, const std::string& name);

/**
 * The playlist's files found in or below the folder, once each, and for every plugin chunk the
 * first of its file names (pluginFileNames) that folder holds as a regular file, looking with
 * source names when inSource. A name that could leave the folder (absolute, or climbing out
 * with "..") or that stands for the skin's own files is left out and described in skipped.
 */
std::vector<FolderFile> listFolderFiles(const SkinFile& skin, const std::filesystem::path& folder, bool inSource,
                                        std::vector<std::string>& skipped);

/** The most all these files of one skin may hold together. */
inline constexpr std::uint64_t maxFolderFileBytes = std::uint64_t{1} << 30;

} // namespace windlecroft::skin

#include "skin/FolderFiles.h"

#include "audio/PlaylistFile.h"
#include "base/TextEncoding.h"
#include "plugins/PluginLocations.h"
#include "skin/SkinFileNames.h"
#include "skin/SourceCompiler.h"

#include <algorithm>

namespace windlecroft::skin {

namespace {

// The name with its "." parts and doubled slashes gone, or nothing when it is absolute or
// climbs out of the folder; a name the player opens as "./a.ogg" is the file "a.ogg".
std::optional<std::string> insidePath(const std::filesystem::path& name)
{
    if (name.empty() || name.has_root_path())
        return std::nullopt;
    const std::filesystem::path normal = name.lexically_normal();
    if (normal.empty() || normal == "." || *normal.begin() == "..")
        return std::nullopt;
    std::string text = normal.generic_string();
    if (text.ends_with('/'))
        return std::nullopt; // a folder, not a file
    return text;
}

bool reserved(const std::string& skinPath, const std::string& sourcePath)
{
    return skinPath == configFileName || skinPath == dataFileName || sourcePath == sourceFileName;
}

} // namespace

std::filesystem::path folderPath(const std::string& name, bool inSource)
{
    return inSource ? std::filesystem::path(decodeWindows1250(name)) : std::filesystem::path(name);
}

std::optional<std::string> findPlaylistFile(const std::filesystem::path& folder, const std::string& name)
{
    for (const std::string& candidate : playlistFileNames(name)) {
        std::error_code ignored;
        if (std::filesystem::exists(folder / candidate, ignored))
            return candidate;
    }
    return std::nullopt;
}

std::vector<FolderFile> listFolderFiles(const SkinFile& skin, const std::filesystem::path& folder, bool inSource,
                                        std::vector<std::string>& skipped)
{
    std::vector<FolderFile> files;
    const auto add = [&](const std::string& name, const std::filesystem::path& inSkin, const std::filesystem::path& inSource,
                         bool plugin) {
        const std::optional<std::string> skinPath = insidePath(inSkin);
        const std::optional<std::string> sourcePath = insidePath(inSource);
        const std::string shown = "\"" + decodeWindows1250(name) + "\"";
        if (!skinPath || !sourcePath) {
            skipped.push_back(shown + " lies outside the skin folder");
            return;
        }
        if (reserved(*skinPath, *sourcePath)) {
            skipped.push_back(shown + " is the name of one of the skin's own files");
            return;
        }
        const bool known = std::any_of(files.begin(), files.end(), [&](const FolderFile& f) { return f.skinPath == *skinPath; });
        if (!known)
            files.push_back({*skinPath, *sourcePath, plugin});
    };
    for (const Chunk& chunk : skin.chunks) {
        if (const auto* tracks = std::get_if<TracklistChunk>(&chunk.body); tracks && tracks->type == 1) {
            for (const TrackItem& track : tracks->tracks) {
                if (const std::optional<std::string> found = track.file.empty() ? std::nullopt : findPlaylistFile(folder, track.file))
                    add(track.file, *found, *found, false);
            }
        } else if (const auto* plugin = std::get_if<PluginChunk>(&chunk.body)) {
            // Only the file the player would load is taken; a plugin found nowhere is the check's to report.
            for (const std::string& name : pluginFileNames(plugin->file)) {
                std::error_code ignored;
                if (std::filesystem::is_regular_file(folder / folderPath(name, inSource), ignored)) {
                    add(name, folderPath(name, false), folderPath(name, true), true);
                    break;
                }
            }
        }
    }
    return files;
}

} // namespace windlecroft::skin

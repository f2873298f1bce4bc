#include "skin/Commands.h"

#include "skin/SkinFileNames.h"
#include "skin/ArchiveWriter.h"
#include "skin/AssetError.h"
#include "skin/AssetReader.h"
#include "skin/FolderFiles.h"
#include "skin/FolderWriter.h"
#include "skin/SkinWriter.h"
#include "skin/SourceFolder.h"

namespace windlecroft::skin {

namespace {

struct FileCopy {
    std::string skinPath;
    std::vector<std::uint8_t> bytes;
};

// Reads the playlist's music and the plugins' libraries that the source folder holds. A file
// that is missing is left to the check's warning or error; one that may not be read is an error.
std::vector<FileCopy> readFolderFiles(const SkinFile& skin, const std::filesystem::path& sourceFolder, bool allowOutside,
                                      Diagnostics& diagnostics)
{
    std::vector<std::string> skipped;
    const std::vector<FolderFile> files = listFolderFiles(skin, sourceFolder, true, skipped);
    for (const std::string& reason : skipped)
        diagnostics.warning({}, "not copied beside the skin: " + reason);
    DirectoryAssetReader reader(sourceFolder, allowOutside);
    std::vector<FileCopy> copies;
    std::uint64_t total = 0;
    for (const FolderFile& file : files) {
        try {
            std::optional<std::vector<std::uint8_t>> bytes = reader.read(file.sourcePath);
            if (!bytes)
                continue;
            total += bytes->size();
            if (total > maxFolderFileBytes) {
                diagnostics.error({}, "the music and plugin files hold more than " + std::to_string(maxFolderFileBytes >> 20) + " MiB");
                break;
            }
            copies.push_back({file.skinPath, std::move(*bytes)});
        } catch (const AssetError& error) {
            diagnostics.error({}, (file.plugin ? "the plugin file " : "the music file ") + file.sourcePath + " " + error.what());
        }
    }
    return copies;
}

} // namespace

int buildSkin(const std::filesystem::path& sourceFolder, const std::filesystem::path& skinFolder, bool allowOutside,
              std::ostream& err)
{
    const std::string label = (sourceFolder / sourceFileName).string();
    constexpr std::string_view prefix = "windlecroft-skin: ";
    Diagnostics diagnostics;
    // The rules of check: what it calls an error stops the build, its warnings are shown.
    const std::optional<CompiledSkin> skin = compileSourceFolder(sourceFolder, sourceFolder, allowOutside, diagnostics);
    std::vector<FileCopy> copies;
    if (skin && !diagnostics.hasErrors())
        copies = readFolderFiles(skin->config, sourceFolder, allowOutside, diagnostics);
    diagnostics.print(err, label, prefix);
    // A source with any error writes nothing, so a skin built before stays as it was.
    if (!skin || diagnostics.hasErrors())
        return 1;
    try {
        const std::vector<std::uint8_t> config = writeSkinFile(skin->config);
        std::filesystem::create_directories(skinFolder);
        writeFile(skinFolder / configFileName, config);
        writeFile(skinFolder / dataFileName, skin->archive.bytes());
        // The music and plugins go beside the skin as the player opens them; a link left in the
        // skin folder is never written through.
        const FolderWriter writer(skinFolder, true);
        for (const FileCopy& copy : copies)
            writer.write(copy.skinPath, copy.bytes);
    } catch (const std::exception& error) {
        err << prefix << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace windlecroft::skin

#include "skin/Commands.h"

#include "skin/SkinFileNames.h"
#include "skin/ArchiveWriter.h"
#include "skin/ArchiveContents.h"
#include "skin/AssetError.h"
#include "skin/AssetReader.h"
#include "skin/EntryFileNames.h"
#include "skin/FolderFiles.h"
#include "skin/FolderWriter.h"
#include "skin/FormatError.h"
#include "skin/SkinReader.h"
#include "skin/SourceCompiler.h"
#include "skin/SourceWriter.h"

namespace windlecroft::skin {

namespace {

// Archive entries are written under this folder of the source.
constexpr const char* entryFolder = "archive";

// Copies the playlist's music and the plugins' libraries that lie in the skin folder into the
// source under the names skin.toml gives them. A file outside the skin folder, a link out of
// it included, is not read; a missing one is left out: the check reports it.
void copyFolderFiles(const SkinFile& skin, const std::filesystem::path& skinFolder, const FolderWriter& writer, std::ostream& err)
{
    std::vector<std::string> skipped;
    const std::vector<FolderFile> files = listFolderFiles(skin, skinFolder, false, skipped);
    DirectoryAssetReader reader(skinFolder, false);
    for (const FolderFile& file : files) {
        // An archive entry's file keeps its name: a playlist file there would be built as an entry.
        if (file.sourcePath.starts_with(std::string(entryFolder) + "/")) {
            skipped.push_back("\"" + file.sourcePath + "\" stands where the archive's entries are written");
            continue;
        }
        try {
            if (const std::optional<std::vector<std::uint8_t>> bytes = reader.read(file.skinPath))
                writer.write(file.sourcePath, *bytes);
        } catch (const AssetError& error) {
            skipped.push_back("\"" + file.sourcePath + "\" " + error.what());
        }
    }
    for (const std::string& reason : skipped)
        err << "windlecroft-skin: warning: not copied into the source: " << reason << '\n';
}

} // namespace

int dumpSkin(const std::filesystem::path& skinFolder, const std::filesystem::path& sourceFolder, std::ostream& err)
{
    const std::filesystem::path configPath = skinFolder / configFileName;
    const std::filesystem::path dataPath = skinFolder / dataFileName;
    const std::optional<std::vector<std::uint8_t>> config = readFileBytes(configPath);
    const std::optional<std::vector<std::uint8_t>> data = readFileBytes(dataPath);
    if (!config || !data) {
        err << "windlecroft-skin: can't read " << (config ? dataPath : configPath).string() << '\n';
        return 1;
    }
    try {
        const SkinFile skin = readSkinFile(*config);
        const ArchiveContents archive = ArchiveContents::parse(*data);
        if (const std::optional<std::size_t> tail = archive.corruptTail()) {
            err << "windlecroft-skin: " << dataPath.string() << ": the bytes from offset " << *tail
                << " form no whole entry; a dump would lose them\n";
            return 1;
        }
        // Nothing is written outside the source folder, nor through a link inside it.
        const FolderWriter writer(sourceFolder, true);
        EntryFileNames names;
        std::vector<std::string> files;
        for (std::size_t i = 0; i < archive.files().size(); ++i) {
            const ArchiveFile& entry = archive.files()[i];
            const std::string file = std::string(entryFolder) + "/" + names.choose(static_cast<int>(i + 1), entry.name);
            writer.write(file, entry.data);
            files.push_back(file);
        }
        copyFolderFiles(skin, skinFolder, writer, err);
        const std::string source = writeSource(skin, archive, files);
        writer.write(sourceFileName, {reinterpret_cast<const std::uint8_t*>(source.data()), source.size()});
    } catch (const FormatError& error) {
        err << "windlecroft-skin: " << configPath.string() << ": " << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "windlecroft-skin: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace windlecroft::skin

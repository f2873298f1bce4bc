#include "skin/Commands.h"

#include "skin/SkinFileNames.h"
#include "skin/ArchiveWriter.h"
#include "skin/ArchiveContents.h"
#include "skin/AssetReader.h"
#include "skin/EntryFileNames.h"
#include "skin/FormatError.h"
#include "skin/SkinReader.h"
#include "skin/SourceCompiler.h"
#include "skin/SourceWriter.h"

namespace windlecroft::skin {

namespace {

// Archive entries are written under this folder of the source.
constexpr const char* entryFolder = "archive";

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
        EntryFileNames names;
        std::vector<std::string> files;
        for (std::size_t i = 0; i < archive.files().size(); ++i) {
            const ArchiveFile& entry = archive.files()[i];
            const std::string file = std::string(entryFolder) + "/" + names.choose(static_cast<int>(i + 1), entry.name);
            const std::filesystem::path path = sourceFolder / std::filesystem::path(file);
            std::filesystem::create_directories(path.parent_path());
            writeFile(path, entry.data);
            files.push_back(file);
        }
        const std::string source = writeSource(skin, archive, files);
        std::filesystem::create_directories(sourceFolder);
        writeFile(sourceFolder / sourceFileName, {reinterpret_cast<const std::uint8_t*>(source.data()), source.size()});
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

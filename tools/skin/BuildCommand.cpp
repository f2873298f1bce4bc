#include "skin/Commands.h"

#include "skin/SkinFileNames.h"
#include "skin/ArchiveWriter.h"
#include "skin/AssetReader.h"
#include "skin/FormatError.h"
#include "skin/SkinWriter.h"
#include "skin/SourceCompiler.h"

namespace windlecroft::skin {

int buildSkin(const std::filesystem::path& sourceFolder, const std::filesystem::path& skinFolder, bool allowOutside,
              std::ostream& err)
{
    const std::filesystem::path sourceFile = sourceFolder / sourceFileName;
    const std::optional<std::vector<std::uint8_t>> text = readFileBytes(sourceFile);
    if (!text) {
        err << "windlecroft-skin: can't read " << sourceFile.string() << '\n';
        return 1;
    }
    Diagnostics diagnostics;
    DirectoryAssetReader assets(sourceFolder, allowOutside);
    const CompiledSkin skin = compileSource({reinterpret_cast<const char*>(text->data()), text->size()}, assets, diagnostics);
    // A source with any error writes nothing, so a skin built before stays as it was.
    if (diagnostics.hasErrors()) {
        diagnostics.print(err, sourceFile.string());
        return 1;
    }
    try {
        const std::vector<std::uint8_t> config = writeSkinFile(skin.config);
        std::filesystem::create_directories(skinFolder);
        writeFile(skinFolder / configFileName, config);
        writeFile(skinFolder / dataFileName, skin.archive.bytes());
    } catch (const std::exception& error) {
        err << "windlecroft-skin: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace windlecroft::skin

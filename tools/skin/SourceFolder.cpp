#include "skin/SourceFolder.h"

#include "skin/AssetReader.h"
#include "skin/ProgramFolder.h"
#include "skin/SkinLinter.h"

namespace windlecroft::skin {

std::optional<CompiledSkin> compileSourceFolder(const std::filesystem::path& folder, const std::filesystem::path& musicFolder,
                                                bool allowOutside, Diagnostics& diagnostics)
{
    const std::optional<std::vector<std::uint8_t>> text = readFileBytes(folder / sourceFileName);
    if (!text) {
        diagnostics.error({}, "can't read the source");
        return std::nullopt;
    }
    DirectoryAssetReader assets(folder, allowOutside);
    CompiledSkin skin = compileSource({reinterpret_cast<const char*>(text->data()), text->size()}, assets, diagnostics);
    lintSkin({.skin = skin.config,
              .archive = skin.archive,
              .musicFolder = musicFolder,
              .lines = &skin.lines,
              .brokenEntries = &skin.brokenEntries,
              .brokenChunkKinds = &skin.brokenChunkKinds,
              .sourceNames = true,
              .pluginFolder = folder,
              .programPluginFolder = playerPluginFolder()},
             diagnostics);
    return skin;
}

} // namespace windlecroft::skin

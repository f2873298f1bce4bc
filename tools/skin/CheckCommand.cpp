#include "skin/Commands.h"

#include "skin/SkinFileNames.h"
#include "skin/ArchiveContents.h"
#include "skin/AssetReader.h"
#include "skin/FormatError.h"
#include "skin/SkinReader.h"
#include "skin/SkinLinter.h"
#include "skin/ProgramFolder.h"
#include "skin/SourceFolder.h"

namespace windlecroft::skin {

namespace {

void checkBuilt(const std::filesystem::path& folder, const std::filesystem::path& musicFolder, Diagnostics& diagnostics)
{
    const std::optional<std::vector<std::uint8_t>> config = readFileBytes(folder / configFileName);
    const std::optional<std::vector<std::uint8_t>> data = readFileBytes(folder / dataFileName);
    if (!config) {
        diagnostics.error({}, "can't read the configuration");
        return;
    }
    if (!data)
        diagnostics.error({}, std::string("can't read ") + dataFileName + ", which the player opens first");
    SkinFile skin;
    try {
        skin = readSkinFile(*config);
    } catch (const FormatError& error) {
        diagnostics.error({}, error.what());
        return;
    }
    const ArchiveContents archive = ArchiveContents::parse(data ? *data : std::vector<std::uint8_t>{});
    lintSkin({.skin = skin,
              .archive = archive,
              .musicFolder = musicFolder,
              .pluginFolder = folder,
              .programPluginFolder = playerPluginFolder()},
             diagnostics);
}

} // namespace

int checkSkin(const std::filesystem::path& folder, const std::optional<std::filesystem::path>& musicFolder, bool allowOutside,
              std::ostream& out)
{
    Diagnostics diagnostics;
    std::error_code ignored;
    std::string label;
    if (std::filesystem::is_regular_file(folder / sourceFileName, ignored)) {
        label = (folder / sourceFileName).string();
        compileSourceFolder(folder, musicFolder.value_or(folder), allowOutside, diagnostics);
    } else if (std::filesystem::is_regular_file(folder / configFileName, ignored)) {
        label = (folder / configFileName).string();
        checkBuilt(folder, musicFolder.value_or(folder), diagnostics);
    } else {
        out << "windlecroft-skin: " << folder.string() << " holds neither " << sourceFileName << " nor " << configFileName << '\n';
        return 1;
    }
    diagnostics.print(out, label);
    const int errors = diagnostics.errorCount();
    const int warnings = static_cast<int>(diagnostics.all().size()) - errors;
    if (errors > 0 || warnings > 0)
        out << label << ": " << errors << (errors == 1 ? " error, " : " errors, ") << warnings
            << (warnings == 1 ? " warning\n" : " warnings\n");
    return errors > 0 ? 1 : 0;
}

} // namespace windlecroft::skin

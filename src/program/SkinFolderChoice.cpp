#include "program/SkinFolderChoice.h"

#include "skin/SkinFileNames.h"

namespace windlecroft {

namespace {

// Anything by the configuration's name counts, even a folder or a dangling link: the player
// then says what is wrong with it instead of quietly opening another skin. Only the entry's
// own status is asked for, so a FIFO is never opened here.
bool holdsConfig(const std::filesystem::path& folder)
{
    std::error_code ignored;
    return std::filesystem::symlink_status(folder / configFileName, ignored).type()
        != std::filesystem::file_type::not_found;
}

} // namespace

std::filesystem::path bundledSkinFolder(const std::filesystem::path& programDir)
{
    if (programDir.empty())
        return {};
    for (const std::filesystem::path& folder :
        {programDir / "skins" / "demo", programDir.parent_path() / "share" / "windlecroft" / "skins" / "demo"}) {
        if (holdsConfig(folder))
            return folder;
    }
    return {};
}

std::filesystem::path chooseSkinFolder(const std::optional<std::filesystem::path>& named,
    const std::filesystem::path& workingDir, const std::filesystem::path& programDir)
{
    if (named)
        return *named;
    if (holdsConfig(workingDir))
        return workingDir;
    const std::filesystem::path bundled = bundledSkinFolder(programDir);
    return bundled.empty() ? workingDir : bundled;
}

} // namespace windlecroft

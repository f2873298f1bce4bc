#include "skin/ProgramFolder.h"

#include "plugins/PluginLocations.h"

namespace windlecroft::skin {

std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

std::filesystem::path playerPluginFolder()
{
    const std::filesystem::path folder = programFolder();
    return folder.empty() ? folder : programPluginFolder(folder);
}

} // namespace windlecroft::skin

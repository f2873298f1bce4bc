#include "plugins/PluginLocations.h"

namespace windlecroft {

namespace {

bool endsWithDll(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string suffix = name.substr(name.size() - 4);
    for (char& c : suffix)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return suffix == ".dll";
}

} // namespace

std::vector<std::string> pluginFileNames(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
        return {};
    std::vector<std::string> names{name};
    if (endsWithDll(name))
        names.push_back(name.substr(0, name.size() - 4) + ".so");
    return names;
}

std::filesystem::path programPluginFolder(const std::filesystem::path& programDir)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(programDir / "plugins", ignored))
        return programDir / "plugins";
    return programDir.parent_path() / "lib" / "windlecroft" / "plugins";
}

} // namespace windlecroft

#include "skin/PrivateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace windlecroft::skin {

namespace {

std::filesystem::path baseFolder()
{
    std::error_code error;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        const std::filesystem::path folder(runtime);
        if (folder.is_absolute() && std::filesystem::is_directory(folder, error))
            return folder;
    }
    return std::filesystem::temp_directory_path();
}

} // namespace

PrivateFolder::PrivateFolder(const std::string& prefix)
{
    const std::string pattern = (baseFolder() / (prefix + "XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        throw std::runtime_error("can't make a folder like " + pattern + ": " + std::strerror(errno));
    path_ = name.data();
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace windlecroft::skin

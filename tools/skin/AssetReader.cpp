#include "skin/AssetReader.h"

#include <fstream>
#include <iterator>

namespace windlecroft::skin {

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<std::uint8_t>> DirectoryAssetReader::read(const std::string& path)
{
    return readFileBytes(root_ / std::filesystem::path(path));
}

std::optional<std::vector<std::uint8_t>> MemoryAssetReader::read(const std::string& path)
{
    auto found = files.find(path);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

} // namespace windlecroft::skin

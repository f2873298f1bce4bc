#include "skin/AssetReader.h"

#include "base/RegularFile.h"
#include "skin/AssetError.h"

#include <algorithm>

namespace windlecroft::skin {

namespace {

// Whether file lies in folder, compared part by part so that "/src-other" is not taken to lie in "/src".
bool liesIn(const std::filesystem::path& folder, const std::filesystem::path& file)
{
    return std::mismatch(folder.begin(), folder.end(), file.begin(), file.end()).first == folder.end();
}

} // namespace

DirectoryAssetReader::DirectoryAssetReader(std::filesystem::path root, bool allowOutside)
    : root_(std::move(root)), allowOutside_(allowOutside)
{
    std::error_code error;
    realRoot_ = std::filesystem::canonical(root_, error);
    if (error)
        realRoot_ = std::filesystem::weakly_canonical(std::filesystem::absolute(root_, error), error);
}

std::optional<std::vector<std::uint8_t>> DirectoryAssetReader::read(const std::string& path)
{
    const std::filesystem::path file = root_ / std::filesystem::path(path);
    if (!allowOutside_) {
        // The check runs before anything is opened, so nothing outside is touched at all.
        std::error_code error;
        const std::filesystem::path real = std::filesystem::weakly_canonical(file, error);
        if (error)
            return std::nullopt;
        if (realRoot_.empty() || !liesIn(realRoot_, real))
            throw AssetError("lies outside the source folder (use --allow-outside)");
    }
    RegularFile asset(file);
    std::optional<std::vector<std::uint8_t>> bytes = asset.readAll(maxAssetBytes);
    if (asset.status() == RegularFile::Status::NotRegular)
        throw AssetError("is not a regular file");
    if (asset.status() == RegularFile::Status::TooLarge)
        throw AssetError("is larger than " + std::to_string(maxAssetBytes >> 20) + " MiB");
    return bytes;
}

std::optional<std::vector<std::uint8_t>> MemoryAssetReader::read(const std::string& path)
{
    auto found = files.find(path);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

} // namespace windlecroft::skin

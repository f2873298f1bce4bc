#pragma once

#include "skin/FileBytes.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::skin {

/** The largest asset file a source may name; a skin's pictures, fonts and music are far smaller. */
inline constexpr std::uint64_t maxAssetBytes = std::uint64_t{256} << 20;

/** Where the source compiler gets the files that its archive entries name. */
class AssetReader {
public:
    virtual ~AssetReader() = default;
    /**
     * The bytes of the file at path, or nothing when it cannot be read. Throws AssetError when
     * the file is there but may not be used.
     */
    virtual std::optional<std::vector<std::uint8_t>> read(const std::string& path) = 0;
};

/**
 * Reads asset paths relative to the source folder (an absolute path is taken as it is). Only
 * regular files of at most maxAssetBytes are read. A file whose real location, links resolved,
 * lies outside the source folder is refused unless allowOutside is given: a downloaded source
 * must not pull files such as ~/.ssh/id_rsa into the skin it builds.
 */
class DirectoryAssetReader : public AssetReader {
public:
    explicit DirectoryAssetReader(std::filesystem::path root, bool allowOutside = false);
    std::optional<std::vector<std::uint8_t>> read(const std::string& path) override;

private:
    std::filesystem::path root_;
    std::filesystem::path realRoot_;
    bool allowOutside_;
};

/** Assets held in memory, by the path the source names them with (tests, fuzzing). */
class MemoryAssetReader : public AssetReader {
public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::optional<std::vector<std::uint8_t>> read(const std::string& path) override;
};

} // namespace windlecroft::skin

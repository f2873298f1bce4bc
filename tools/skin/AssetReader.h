#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::skin {

/** Where the source compiler gets the files that its archive entries name. */
class AssetReader {
public:
    virtual ~AssetReader() = default;
    /** The bytes of the file at path, or nothing when it cannot be read. */
    virtual std::optional<std::vector<std::uint8_t>> read(const std::string& path) = 0;
};

/** Reads asset paths relative to the source folder; absolute paths are taken as they are. */
class DirectoryAssetReader : public AssetReader {
public:
    explicit DirectoryAssetReader(std::filesystem::path root) : root_(std::move(root)) {}
    std::optional<std::vector<std::uint8_t>> read(const std::string& path) override;

private:
    std::filesystem::path root_;
};

/** Assets held in memory, by the path the source names them with (tests, fuzzing). */
class MemoryAssetReader : public AssetReader {
public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::optional<std::vector<std::uint8_t>> read(const std::string& path) override;
};

/** The whole file, or nothing when it cannot be opened or read. */
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path);

} // namespace windlecroft::skin

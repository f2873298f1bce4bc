#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace windlecroft::skin {

/**
 * Writes files below one folder without following a symbolic link that stands below it. An
 * archive from a stranger may have been unpacked there before, and a link it left (a file
 * "Data" pointing at ~/.bashrc, say) must not carry the bytes outside. Every folder on the way
 * is opened with O_NOFOLLOW and the file is created with O_EXCL, so a link anywhere on the
 * path is refused. An existing regular file is replaced only when overwriting is allowed; it
 * is then removed and made anew, so that a hard link to a file elsewhere is cut, not written
 * through. The folder itself is the caller's choice and is followed like any path.
 */
class FolderWriter {
public:
    FolderWriter(std::filesystem::path folder, bool overwrite) : folder_(std::move(folder)), overwrite_(overwrite) {}

    /**
     * Writes bytes to folder/relative, making the folders on the way. relative uses '/' and may
     * not hold empty, "." or ".." parts. Throws std::runtime_error with a message naming the path.
     */
    void write(const std::string& relative, std::span<const std::uint8_t> bytes) const;

private:
    std::filesystem::path folder_;
    bool overwrite_;
};

} // namespace windlecroft::skin

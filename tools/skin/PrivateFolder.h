#pragma once

#include <filesystem>

namespace windlecroft::skin {

/**
 * A new folder that only this user can enter, made with mkdtemp under $XDG_RUNTIME_DIR when
 * that is an absolute folder, otherwise under the temporary folder; removed with everything in
 * it when the object goes away.
 */
class PrivateFolder {
public:
    /** prefix starts the folder's name; throws std::runtime_error when no folder can be made. */
    explicit PrivateFolder(const std::string& prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace windlecroft::skin

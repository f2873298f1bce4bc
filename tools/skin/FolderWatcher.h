#pragma once

#include <filesystem>
#include <map>

namespace windlecroft::skin {

/**
 * Watches a folder and every folder below it (links not followed, new folders taken in as they
 * appear) with inotify, for files written, made, removed, renamed or touched. At most
 * maxFolders folders are watched; the ones beyond are left out.
 */
class FolderWatcher {
public:
    static constexpr std::size_t maxFolders = 4096;

    /** Changes in ignored (a folder inside root, such as a build's output) are not reported. Throws std::runtime_error. */
    FolderWatcher(const std::filesystem::path& root, const std::filesystem::path& ignored);
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    /** The descriptor to wait on for events. */
    int descriptor() const { return fd_; }
    /** Reads every pending event without blocking; true when any of them is a change. */
    bool readChanges();

private:
    void watchTree(const std::filesystem::path& folder);
    void watch(const std::filesystem::path& folder);

    int fd_ = -1;
    std::filesystem::path ignored_;
    std::map<int, std::filesystem::path> folders_;
};

} // namespace windlecroft::skin

#include "skin/FolderWatcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace windlecroft::skin {

namespace {

constexpr std::uint32_t changes = IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB |
                                  IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW;

} // namespace

FolderWatcher::FolderWatcher(const std::filesystem::path& root, const std::filesystem::path& ignored)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), ignored_(std::filesystem::weakly_canonical(ignored))
{
    if (fd_ < 0)
        throw std::runtime_error(std::string("can't watch files: ") + std::strerror(errno));
    watchTree(root);
    if (folders_.empty()) {
        ::close(fd_);
        throw std::runtime_error("can't watch " + root.string() + ": " + std::strerror(errno));
    }
}

FolderWatcher::~FolderWatcher()
{
    ::close(fd_);
}

void FolderWatcher::watch(const std::filesystem::path& folder)
{
    std::error_code error;
    if (folders_.size() >= maxFolders || std::filesystem::weakly_canonical(folder, error) == ignored_)
        return;
    const int wd = ::inotify_add_watch(fd_, folder.c_str(), changes);
    if (wd >= 0)
        folders_[wd] = folder;
}

void FolderWatcher::watchTree(const std::filesystem::path& folder)
{
    watch(folder);
    std::error_code error;
    std::filesystem::recursive_directory_iterator it(folder, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (folders_.size() >= maxFolders)
            return;
        std::error_code unused;
        if (it->is_directory(unused) && !it->is_symlink(unused)) {
            if (std::filesystem::weakly_canonical(it->path(), unused) == ignored_)
                it.disable_recursion_pending();
            else
                watch(it->path());
        }
    }
}

bool FolderWatcher::readChanges()
{
    bool changed = false;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t length = ::read(fd_, buffer, sizeof buffer);
        if (length <= 0)
            return changed; // EAGAIN: nothing more for now
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changed = true;
                continue;
            }
            const auto folder = folders_.find(event->wd);
            if (folder == folders_.end())
                continue;
            const std::filesystem::path path = event->len > 0 ? folder->second / event->name : folder->second;
            std::error_code error;
            if (std::filesystem::weakly_canonical(path, error) == ignored_)
                continue;
            if (event->mask & IN_IGNORED) {
                folders_.erase(folder);
                continue;
            }
            if ((event->mask & (IN_CREATE | IN_MOVED_TO)) && (event->mask & IN_ISDIR))
                watchTree(path);
            changed = true;
        }
    }
}

} // namespace windlecroft::skin

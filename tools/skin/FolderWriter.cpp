#include "skin/FolderWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace windlecroft::skin {

namespace {

// Closes the descriptor however the write ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

std::runtime_error failure(const std::string& what, const std::filesystem::path& path, int error)
{
    return std::runtime_error("can't " + what + " " + path.string() + ": " + std::strerror(error));
}

std::runtime_error linkRefused(const std::filesystem::path& path)
{
    return std::runtime_error("refusing to write through the symbolic link " + path.string());
}

bool isLink(int folder, const char* name)
{
    struct stat info {};
    return ::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

std::vector<std::string> partsOf(const std::string& relative)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = relative.find('/', start);
        parts.push_back(relative.substr(start, slash - start));
        const std::string& part = parts.back();
        if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string::npos)
            throw std::runtime_error("refusing to write " + relative + ", which could leave the folder");
        if (slash == std::string::npos)
            return parts;
        start = slash + 1;
    }
}

} // namespace

void FolderWriter::write(const std::string& relative, std::span<const std::uint8_t> bytes) const
{
    const std::vector<std::string> parts = partsOf(relative);
    std::filesystem::create_directories(folder_);
    Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        throw failure("open the folder", folder_, errno);

    std::filesystem::path path = folder_;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const char* name = parts[i].c_str();
        path /= parts[i];
        if (::mkdirat(folder.get(), name, 0777) != 0 && errno != EEXIST)
            throw failure("make the folder", path, errno);
        const int next = ::openat(folder.get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            const int error = errno;
            if (isLink(folder.get(), name))
                throw linkRefused(path);
            throw failure("open the folder", path, error);
        }
        folder.reset(next);
    }

    const char* name = parts.back().c_str();
    path /= parts.back();
    struct stat info {};
    if (::fstatat(folder.get(), name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(info.st_mode))
            throw linkRefused(path);
        if (!S_ISREG(info.st_mode))
            throw std::runtime_error(path.string() + " exists and is not a regular file");
        if (!overwrite_)
            throw std::runtime_error(path.string() + " exists (use --force to overwrite)");
        if (::unlinkat(folder.get(), name, 0) != 0)
            throw failure("remove", path, errno);
    }
    // O_EXCL with O_NOFOLLOW: whatever appeared at the name meanwhile, link or not, is refused.
    Descriptor file(::openat(folder.get(), name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        const int error = errno;
        if (isLink(folder.get(), name))
            throw linkRefused(path);
        throw failure("write", path, error);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            ::unlinkat(folder.get(), name, 0);
            throw failure("write", path, error);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(file.release()) != 0) {
        const int error = errno;
        ::unlinkat(folder.get(), name, 0);
        throw failure("write", path, error);
    }
}

} // namespace windlecroft::skin

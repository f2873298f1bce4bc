#include "base/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace windlecroft {

RegularFile::RegularFile(const std::filesystem::path& path)
{
    // The kind is checked before opening too: opening a device can have effects of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        status_ = errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable;
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        status_ = Status::NotRegular;
        return;
    }
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer for ever. On a
    // regular file the flag changes nothing.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) {
        status_ = errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable;
        return;
    }
    // The file may have been swapped for another kind between the two looks.
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        status_ = Status::NotRegular;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    status_ = Status::Open;
}

RegularFile::~RegularFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(other.fd_), size_(other.size_), status_(other.status_)
{
    other.fd_ = -1;
    other.status_ = Status::Missing;
}

std::optional<std::vector<std::uint8_t>> RegularFile::readAll(std::uint64_t maxBytes)
{
    if (!isOpen())
        return std::nullopt;
    if (size_ > maxBytes) {
        status_ = Status::TooLarge;
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size_));
    std::size_t got = 0;
    // The file may shrink or grow meanwhile: no more than its size at opening is ever read.
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd_, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            status_ = Status::Unreadable;
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

std::size_t RegularFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (!isOpen() || offset >= size_)
        return 0;
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd_, out.data() + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

int RegularFile::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes)
{
    RegularFile file(path);
    return file.readAll(maxBytes);
}

} // namespace windlecroft

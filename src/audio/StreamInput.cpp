#include "audio/StreamInput.h"

#include "base/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <unistd.h>
#include <utility>

namespace windlecroft {

StreamInput::StreamInput(std::vector<std::uint8_t> memory, int fd, std::int64_t size)
    : memory_(std::move(memory)), fd_(fd), size_(size)
{
}

std::unique_ptr<StreamInput> StreamInput::fromMemory(std::span<const std::uint8_t> data)
{
    return std::unique_ptr<StreamInput>(
        new StreamInput({data.begin(), data.end()}, -1, static_cast<std::int64_t>(data.size())));
}

std::unique_ptr<StreamInput> StreamInput::fromFile(const std::filesystem::path& path)
{
    // Only a regular file is handed to the libraries; the descriptor is the input's from now on.
    RegularFile file(path);
    if (!file.isOpen() || file.size() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return nullptr;
    const auto size = static_cast<std::int64_t>(file.size());
    return std::unique_ptr<StreamInput>(new StreamInput({}, file.release(), size));
}

StreamInput::~StreamInput()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t StreamInput::peek(std::int64_t offset, std::span<std::uint8_t> out) const
{
    if (offset < 0 || offset >= size_)
        return 0;
    const auto count
        = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(out.size()), size_ - offset));
    if (count == 0)
        return 0;
    if (fd_ < 0) {
        std::memcpy(out.data(), memory_.data() + offset, count);
        return count;
    }
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n
            = ::pread(fd_, out.data() + got, count - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        // A read error ends the data here, as the end of the file would.
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

std::size_t StreamInput::read(void* out, std::size_t count)
{
    const std::size_t got = peek(position_, {static_cast<std::uint8_t*>(out), count});
    position_ += static_cast<std::int64_t>(got);
    return got;
}

bool StreamInput::seek(std::int64_t offset, int whence)
{
    const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? position_ : whence == SEEK_END ? size_ : -1;
    if (base < 0)
        return false;
    // Offsets from a corrupt file can be anything; the sum must not overflow.
    if ((offset > 0 && base > size_ - offset) || base + offset < 0)
        return false;
    position_ = base + offset;
    return true;
}

} // namespace windlecroft

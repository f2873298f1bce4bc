#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace windlecroft {

/**
 * A file of a skin opened for reading, only when it is a regular file. The open never blocks
 * (a FIFO or a device named by a skin is refused, not waited on), links are followed as any
 * program follows them, and reads stop at a bound the caller gives.
 */
class RegularFile {
public:
    enum class Status { Open, Missing, NotRegular, TooLarge, Unreadable };

    /** Opens path; status() says why when it is not a regular file that can be read. */
    explicit RegularFile(const std::filesystem::path& path);
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&&) = delete;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    Status status() const { return status_; }
    bool isOpen() const { return status_ == Status::Open; }
    /** The size the file had when it was opened. */
    std::uint64_t size() const { return size_; }

    /**
     * The whole file, when it holds at most maxBytes; nothing (and status TooLarge or
     * Unreadable) otherwise. A file that shrinks while it is read gives what was there.
     */
    std::optional<std::vector<std::uint8_t>> readAll(std::uint64_t maxBytes);

    /**
     * Copies up to out.size() bytes from offset on into out, without moving any position (so it
     * may be called from several threads); how many there were. Never reads past the size the
     * file had when it was opened; a read error ends the bytes there.
     */
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

    /** Hands the open descriptor to the caller, who closes it; -1 when the file is not open. */
    int release();

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    Status status_ = Status::Missing;
};

/** readAll() of a RegularFile, in one call. */
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes);

} // namespace windlecroft

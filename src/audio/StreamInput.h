#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace windlecroft {

/**
 * The bytes of one music stream as the decoding libraries read them, through their callbacks:
 * its own copy of bytes given in memory (an archive's piece outlives the read that gave it), or
 * a regular file opened through RegularFile, read as it plays. Reads never go past the size the input had when it was
 * opened, so a file that grows meanwhile is read no further. Not movable: the libraries keep
 * its address.
 */
class StreamInput {
public:
    static std::unique_ptr<StreamInput> fromMemory(std::span<const std::uint8_t> data);
    /** Null when the path is not a regular file that can be opened for reading. */
    static std::unique_ptr<StreamInput> fromFile(const std::filesystem::path& path);

    ~StreamInput();
    StreamInput(const StreamInput&) = delete;
    StreamInput& operator=(const StreamInput&) = delete;

    /** Copies up to count bytes from the position to out and moves on; 0 at the end or on a read error. */
    std::size_t read(void* out, std::size_t count);
    /** Moves the position as fseek does (SEEK_SET, SEEK_CUR, SEEK_END); false, and no move, outside 0..size. */
    bool seek(std::int64_t offset, int whence);
    std::int64_t tell() const { return position_; }
    std::int64_t size() const { return size_; }
    /** Copies the bytes from offset on into out, without moving the position; returns how many there were. */
    std::size_t peek(std::int64_t offset, std::span<std::uint8_t> out) const;

private:
    StreamInput(std::vector<std::uint8_t> memory, int fd, std::int64_t size);

    std::vector<std::uint8_t> memory_;
    int fd_ = -1;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
};

} // namespace windlecroft

#pragma once

#include "base/FileRange.h"
#include "base/RegularFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft {

/**
 * One archive entry's data: a view into an archive held in memory, or a copy of its own read
 * from the archive's file. Keep the entry for as long as its bytes are used.
 */
class ArchiveEntry {
public:
    ArchiveEntry() = default;
    ArchiveEntry(std::span<const std::uint8_t> view, std::uint64_t offset) : view_(view), offset_(offset) {}
    ArchiveEntry(std::vector<std::uint8_t> copy, std::uint64_t offset) : copy_(std::move(copy)), offset_(offset) {}

    std::span<const std::uint8_t> bytes() const { return copy_ ? std::span<const std::uint8_t>(*copy_) : view_; }
    std::uint32_t size() const { return static_cast<std::uint32_t>(bytes().size()); }
    /** Where the data starts in the archive. */
    std::uint64_t offset() const { return offset_; }
    /** Gives the data up as a vector of its own (a copy when it is a view). */
    std::vector<std::uint8_t> take() &&;

private:
    std::span<const std::uint8_t> view_;
    std::optional<std::vector<std::uint8_t>> copy_;
    std::uint64_t offset_ = 0;
};

/**
 * The resource archive: entries are (name, zero byte, u32 size, data) back to back, found by
 * their exact byte name. Of two entries with the same name the first is found. A corrupt tail (a
 * name without its zero byte, a size reaching past the end) ends the archive: nothing outside it
 * is ever read. An archive opened from its file is indexed once and each entry is read from the
 * file when it is asked for, so that only what the skin uses right now takes memory.
 */
class DataArchive {
public:
    /** Indexes the file; throws "can't open data file" when it is no regular file, is above maxArchiveBytes or cannot be read. */
    void open(const std::filesystem::path& path);
    /** Takes an archive that is already in memory (tests, fuzzing, the skin tool). */
    void openBytes(std::vector<std::uint8_t> block);
    void close();
    bool isOpen() const { return open_; }

    /**
     * Throws "can't find file " + name + " in datafile" when no entry has that name (or the file
     * no longer holds its bytes).
     */
    ArchiveEntry findEntry(std::string_view name) const;

    /** Where the entry's bytes lie in the archive's file; nothing for an archive held in memory or a name not found. */
    std::optional<FileRange> fileRange(std::string_view name) const;

    /** Whether an entry of that name can be found. */
    bool contains(std::string_view name) const;

    /** Calls visit(name, entry) for every readable entry in archive order. */
    template <typename Visit>
    void forEachEntry(Visit&& visit) const
    {
        for (const Indexed& entry : index_) {
            std::optional<ArchiveEntry> data = read(entry);
            if (!data)
                return;
            visit(std::string_view(entry.name), *data);
        }
    }

    /** Where the readable entries end: the archive's size unless it has a corrupt tail. */
    std::uint64_t readableEnd() const { return readableEnd_; }

private:
    struct Indexed {
        std::string name;
        std::uint64_t offset = 0;
        std::uint32_t size = 0;
    };

    void buildIndex();
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
    std::optional<std::string> nameAt(std::uint64_t offset) const;
    std::optional<ArchiveEntry> read(const Indexed& entry) const;
    const Indexed* indexed(std::string_view name) const;

    std::vector<std::uint8_t> block_;
    std::shared_ptr<const RegularFile> file_;
    std::uint64_t size_ = 0;
    std::vector<Indexed> index_;
    std::uint64_t readableEnd_ = 0;
    bool open_ = false;
};

} // namespace windlecroft

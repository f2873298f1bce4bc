#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace windlecroft {

/** A read-only view of one archive entry's data inside the archive's block. */
struct ArchiveEntry {
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;

    std::span<const std::uint8_t> bytes() const { return {data, size}; }
};

/**
 * The resource archive: the whole file held in memory, entries found by a linear scan for the
 * exact byte name. Entries are (name, zero byte, u32 size, data) back to back. Of two entries
 * with the same name the first is found. A corrupt tail (a name without its zero byte, a size
 * reaching past the block) ends the scan: nothing outside the block is ever read.
 */
class DataArchive {
public:
    /** Reads the whole file; throws "can't open data file" when it is no regular file, is above maxArchiveBytes or cannot be read. */
    void open(const std::filesystem::path& path);
    /** Takes an archive that is already in memory (tests, fuzzing, the skin tool). */
    void openBytes(std::vector<std::uint8_t> block);
    void close();
    bool isOpen() const { return open_; }

    /** Throws "can't find file " + name + " in datafile" when no entry has that name. */
    ArchiveEntry findEntry(std::string_view name) const;

    /** Whether an entry of that name can be found. */
    bool contains(std::string_view name) const;

    /** Calls visit(name, entry) for every readable entry in file order. */
    template <typename Visit>
    void forEachEntry(Visit&& visit) const
    {
        std::size_t cursor = 0;
        std::string_view name;
        ArchiveEntry entry;
        while (nextEntry(cursor, name, entry))
            visit(name, entry);
    }

    std::span<const std::uint8_t> block() const { return block_; }

private:
    bool nextEntry(std::size_t& cursor, std::string_view& name, ArchiveEntry& entry) const;

    std::vector<std::uint8_t> block_;
    bool open_ = false;
};

} // namespace windlecroft

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft {

/** One archive entry with its own copy of the data. */
struct ArchiveFile {
    std::string name;
    std::vector<std::uint8_t> data;
};

/**
 * The entries of a resource archive in file order, as the skin tool edits them. Reading stops
 * at a corrupt tail (a name without its zero byte, a size reaching past the end); where that
 * tail starts is kept so that commands can report it.
 */
class ArchiveContents {
public:
    static ArchiveContents parse(std::span<const std::uint8_t> bytes);

    void add(std::string name, std::vector<std::uint8_t> data);
    std::vector<std::uint8_t> bytes() const;

    const std::vector<ArchiveFile>& files() const { return files_; }
    /** The first entry of that exact name, as the player finds it. */
    const ArchiveFile* find(std::string_view name) const;
    bool contains(std::string_view name) const { return find(name) != nullptr; }

    /** Offset of the bytes that do not form a whole entry, when the archive has any. */
    std::optional<std::size_t> corruptTail() const { return corruptTail_; }

private:
    std::vector<ArchiveFile> files_;
    std::optional<std::size_t> corruptTail_;
};

} // namespace windlecroft

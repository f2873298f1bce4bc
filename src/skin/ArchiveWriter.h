#pragma once

#include "skin/ByteWriter.h"

#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace windlecroft {

/** Builds a resource archive: (name, zero, u32 size, data) for every entry, in order. */
class ArchiveWriter {
public:
    void add(std::string_view name, std::span<const std::uint8_t> data);
    void add(std::string_view name, std::string_view text);

    const std::vector<std::uint8_t>& bytes() const { return out_.bytes(); }
    void save(const std::filesystem::path& path) const;

private:
    ByteWriter out_;
};

/** Writes bytes to a file, replacing it; throws windlecroft::Error when it cannot. */
void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace windlecroft

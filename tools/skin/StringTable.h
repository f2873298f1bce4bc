#pragma once

#include "skin/SkinRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft::skin {

/**
 * The string-mapping table as the player holds it once the whole file is read: only the last
 * string-mapping chunk counts, since each one replaces the table. Actions look their texts up
 * in it when they run, after loading, so names resolve against this final table wherever the
 * action stands in the file.
 */
class StringTable {
public:
    StringTable() = default;
    explicit StringTable(const SkinFile& file);
    /** The table a single string-mapping chunk creates. */
    explicit StringTable(const StringMappingChunk& chunk);

    /** False when the file has no string-mapping chunk at all. */
    bool present() const { return present_; }
    std::size_t size() const { return texts_.size(); }
    /** The text at index, or nullptr when the index is out of range. */
    const std::string* at(std::uint16_t index) const;
    /** The lowest index that holds text. */
    std::optional<std::uint16_t> indexOf(std::string_view text) const;

private:
    bool present_ = false;
    std::vector<std::string> texts_;
};

} // namespace windlecroft::skin

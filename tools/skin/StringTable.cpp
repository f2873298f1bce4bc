#include "skin/StringTable.h"

namespace windlecroft::skin {

StringTable::StringTable(const SkinFile& file)
{
    for (const Chunk& chunk : file.chunks) {
        if (const auto* mapping = std::get_if<StringMappingChunk>(&chunk.body))
            *this = StringTable(*mapping);
    }
}

StringTable::StringTable(const StringMappingChunk& chunk) : present_(true), texts_(chunk.entries.size())
{
    // Later entries for the same index win; an index beyond the table stops the player's load
    // and is reported by the check, so it is left out here.
    for (const MappingEntry& entry : chunk.entries) {
        if (entry.index < texts_.size())
            texts_[entry.index] = entry.text;
    }
}

const std::string* StringTable::at(std::uint16_t index) const
{
    return index < texts_.size() ? &texts_[index] : nullptr;
}

std::optional<std::uint16_t> StringTable::indexOf(std::string_view text) const
{
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        if (texts_[i] == text)
            return static_cast<std::uint16_t>(i);
    }
    return std::nullopt;
}

} // namespace windlecroft::skin

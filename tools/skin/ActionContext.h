#pragma once

#include "skin/SkinRecords.h"
#include "skin/StringTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft::skin {

/**
 * What action arguments written as names resolve against: the final string-mapping table (for
 * pages and named tracks) and the playlist by position (for play-index). Playlist entries are
 * added at the front, so position 0 is the last playlist entry of the file.
 */
class ActionContext {
public:
    ActionContext() = default;
    explicit ActionContext(const SkinFile& file);
    /** complete is false when a string-mapping or playlist chunk of the source did not compile. */
    ActionContext(StringTable strings, std::vector<std::string> playlistInFileOrder, bool complete = true);

    const StringTable& strings() const { return strings_; }
    std::size_t playlistSize() const { return byPosition_.size(); }
    /** The name of the playlist entry at position, or nullptr. */
    const std::string* entryAt(std::uint16_t position) const;
    /** The lowest position whose entry has this name. */
    std::optional<std::uint16_t> positionOf(std::string_view name) const;
    /**
     * False when a table the names resolve against lost a chunk to an error; a name it lacks
     * may then stand in the lost chunk, and is not reported again.
     */
    bool complete() const { return complete_; }

private:
    StringTable strings_;
    std::vector<std::string> byPosition_;
    bool complete_ = true;
};

} // namespace windlecroft::skin

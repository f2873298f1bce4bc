#include "skin/ActionContext.h"

#include <algorithm>

namespace windlecroft::skin {

namespace {

std::vector<std::string> playlistOf(const SkinFile& file)
{
    std::vector<std::string> names;
    for (const Chunk& chunk : file.chunks) {
        if (const auto* tracks = std::get_if<TracklistChunk>(&chunk.body); tracks && tracks->type == 1) {
            for (const TrackItem& entry : tracks->tracks)
                names.push_back(entry.name);
        }
    }
    return names;
}

} // namespace

ActionContext::ActionContext(const SkinFile& file) : ActionContext(StringTable(file), playlistOf(file)) {}

ActionContext::ActionContext(StringTable strings, std::vector<std::string> playlistInFileOrder, bool complete)
    : strings_(std::move(strings)), byPosition_(std::move(playlistInFileOrder)), complete_(complete)
{
    std::reverse(byPosition_.begin(), byPosition_.end());
}

const std::string* ActionContext::entryAt(std::uint16_t position) const
{
    return position < byPosition_.size() ? &byPosition_[position] : nullptr;
}

std::optional<std::uint16_t> ActionContext::positionOf(std::string_view name) const
{
    // Positions are 16-bit arguments; entries beyond them cannot be named.
    const std::size_t reachable = std::min<std::size_t>(byPosition_.size(), 0x10000);
    for (std::size_t i = 0; i < reachable; ++i) {
        if (byPosition_[i] == name)
            return static_cast<std::uint16_t>(i);
    }
    return std::nullopt;
}

} // namespace windlecroft::skin

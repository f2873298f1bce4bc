#include "audio/Tracklist.h"

namespace windlecroft {

void Tracklist::addTrack(std::string name, std::string title)
{
    entries_.emplace_front(std::move(name), false, std::move(title));
}

const TrackEntry* Tracklist::at(int position) const
{
    if (position < 0 || position >= count())
        return nullptr;
    return &entries_[static_cast<std::size_t>(position)];
}

bool Tracklist::isPlaceholder(int position) const
{
    const TrackEntry* entry = at(position);
    return !entry || entry->name.empty();
}

} // namespace windlecroft

#pragma once

#include "audio/TrackEntry.h"

#include <deque>
#include <string>

namespace windlecroft {

/**
 * The playlist: entries counted from the head, position 0 first. New entries go to the head,
 * so the entry added last has position 0 and every earlier one moves up by one.
 */
class Tracklist {
public:
    /** Adds a disk file at the head, with the title the player shows for it. */
    void addTrack(std::string name, std::string title = {});

    int count() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }

    /** The entry at position, or null outside the list. */
    const TrackEntry* at(int position) const;

    /** True when the entry at position is missing or a placeholder with an empty name. */
    bool isPlaceholder(int position) const;

private:
    std::deque<TrackEntry> entries_;
};

} // namespace windlecroft

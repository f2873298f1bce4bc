#pragma once

#include "base/NamedList.h"
#include "audio/ChannelKind.h"

#include <string>

namespace windlecroft {

/**
 * One piece of music: a file on disk (playlist entries) or an archive entry (named tracks).
 * Its kind follows from the name; an entry with an empty name is a placeholder that the
 * playlist's moves skip.
 */
struct TrackEntry {
    TrackEntry(std::string name, bool fromArchive, std::string title = {});

    std::string name;
    /** What the player shows for a playlist entry: its name in the skin (Windows-1250). */
    std::string title;
    ChannelKind kind;
    bool fromArchive;
};

/** The named tracks: archive pieces played on the side channel, found by key (newest first). */
using NamedTracks = NamedList<TrackEntry>;

} // namespace windlecroft

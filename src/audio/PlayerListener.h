#pragma once

namespace windlecroft {

/** What the Player tells the rest of the player as it happens, on the main thread. */
class PlayerListener {
public:
    virtual ~PlayerListener() = default;

    /** The playlist position moved to index (next, previous, a chosen entry, a track's end). */
    virtual void positionChanged(int index) = 0;
    /** A playlist module is about to be loaded from disk; looping when its name holds "loop". */
    virtual void moduleLoading(bool looping) = 0;
    /** A track ended by itself and the entry at index was started after it. */
    virtual void trackAdvanced(int index) = 0;
};

} // namespace windlecroft

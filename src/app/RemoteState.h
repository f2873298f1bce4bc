#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace windlecroft {

/** Whether the playlist channel plays, is paused or is stopped, as a remote control shows it. */
enum class RemotePlayback : std::uint8_t { Stopped, Playing, Paused };

/**
 * What a remote control (the desktop's media keys and media widgets) shows of the player: the
 * playback status, the current playlist entry and the main channel's volume. The position is not
 * part of it; a remote asks for it when it needs it.
 */
struct RemoteState {
    RemotePlayback playback = RemotePlayback::Stopped;
    /** The playlist position of the current entry; −1 when the playlist is empty. */
    int track = -1;
    /** The entry's name in UTF-8. */
    std::string title;
    /** The entry's file, absolute; empty when there is no entry. */
    std::filesystem::path file;
    /** The length of the loaded track; 0 while none is loaded. */
    std::int64_t lengthMicroseconds = 0;
    /** The main channel's volume, 0..100 (a track that starts plays at 100). */
    int volume = 100;
    bool canGoNext = false;
    bool canGoPrevious = false;
    /** The current entry is something the player can play (and so pause and seek in). */
    bool canPlay = false;
    bool repeatOne = false;
    bool randomOrder = false;

    friend bool operator==(const RemoteState&, const RemoteState&) = default;
};

} // namespace windlecroft

#pragma once

#include <cstdint>

namespace windlecroft {

/** A channel of the audio engine. 0 is never a valid handle; a freed handle stays invalid. */
using ChannelHandle = std::uint32_t;

/** An end sync set on a channel. 0 means none. */
using SyncHandle = std::uint32_t;

/** What a channel is doing; the numbers are the ones callers compare against. */
enum class ChannelState : int {
    Stopped = 0, // also the answer for freed and unknown handles
    Playing = 1,
    Stalled = 2,
    Paused = 3,
};

/** Flags for AudioEngine::play. Streams look only at Loop. */
namespace PlayFlag {
/** Start again from the beginning (a module: from its loop start) at every end. */
inline constexpr std::uint32_t Loop = 0x4;
/** Modules: ramp volume changes to avoid clicks. */
inline constexpr std::uint32_t Ramp = 0x200;
/** Modules: stop every playing note when the position is set. */
inline constexpr std::uint32_t PositionReset = 0x20000;
/** Modules: a jump back to already played rows counts as the end of the song. */
inline constexpr std::uint32_t StopOnBackwardJump = 0x80000;
} // namespace PlayFlag

/** A channel that reached its end while carrying an end sync. */
struct EndSyncEvent {
    ChannelHandle channel = 0;
    SyncHandle sync = 0;

    friend bool operator==(const EndSyncEvent&, const EndSyncEvent&) = default;
};

} // namespace windlecroft

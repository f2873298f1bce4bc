#pragma once

namespace windlecroft {

/** What a channel slot or a track entry plays: a tracker module, a sampled stream, or nothing. */
enum class ChannelKind : int { Module = 0, Stream = 1, None = 2 };

} // namespace windlecroft

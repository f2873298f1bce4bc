#pragma once

#include "audio/ChannelKind.h"
#include "audio/ChannelTypes.h"

namespace windlecroft {

/**
 * One of the player's two channels: the kind of what it last started and a handle for each kind.
 * Handles are kept after their channel is freed; the engine then reports them stopped.
 */
struct ChannelSlot {
    ChannelKind kind = ChannelKind::None;
    ChannelHandle module = 0;
    ChannelHandle stream = 0;
    /** The length of what the slot started last: stream bytes, or the last order of a module. */
    int length = 0;

    /** The handle of the slot's kind; 0 when the kind is None. */
    ChannelHandle live() const
    {
        switch (kind) {
        case ChannelKind::Module: return module;
        case ChannelKind::Stream: return stream;
        case ChannelKind::None: break;
        }
        return 0;
    }
};

} // namespace windlecroft

#pragma once

#include "audio/ChannelTypes.h"

#include <mutex>
#include <vector>

namespace windlecroft {

/**
 * Carries "this channel reached its end" from the audio thread to the main thread. The audio
 * thread posts, the main thread takes everything pending. An event that is already pending is not
 * posted twice, so a channel that keeps ending while nobody drains cannot grow the mailbox.
 */
class EndSyncMailbox {
public:
    void post(EndSyncEvent event);
    std::vector<EndSyncEvent> takeAll();
    /** Drops pending events of a sync that was removed: they describe a channel nobody waits for. */
    void discard(SyncHandle sync);

private:
    std::mutex mutex_;
    std::vector<EndSyncEvent> events_;
};

} // namespace windlecroft

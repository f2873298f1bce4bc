#include "audio/EndSyncMailbox.h"

#include <algorithm>

namespace windlecroft {

void EndSyncMailbox::post(EndSyncEvent event)
{
    std::lock_guard lock(mutex_);
    if (std::find(events_.begin(), events_.end(), event) == events_.end())
        events_.push_back(event);
}

std::vector<EndSyncEvent> EndSyncMailbox::takeAll()
{
    std::vector<EndSyncEvent> taken;
    std::lock_guard lock(mutex_);
    taken.swap(events_);
    return taken;
}

void EndSyncMailbox::discard(SyncHandle sync)
{
    std::lock_guard lock(mutex_);
    std::erase_if(events_, [sync](const EndSyncEvent& event) { return event.sync == sync; });
}

} // namespace windlecroft

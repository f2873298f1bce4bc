#include "platform/qt/KeyRepeatFilter.h"

namespace windlecroft {

std::optional<std::uint16_t> KeyRepeatFilter::release(std::uint16_t key, std::uint64_t time)
{
    std::optional<std::uint16_t> earlier = flush();
    pending_ = Release{key, time};
    return earlier;
}

std::optional<std::uint16_t> KeyRepeatFilter::press(std::uint16_t key, std::uint64_t time)
{
    if (pending_ && pending_->key == key && pending_->time == time) {
        pending_.reset();
        return std::nullopt;
    }
    return flush();
}

std::optional<std::uint16_t> KeyRepeatFilter::flush()
{
    if (!pending_)
        return std::nullopt;
    const std::uint16_t key = pending_->key;
    pending_.reset();
    return key;
}

} // namespace windlecroft

#pragma once

#include <cstdint>
#include <optional>

namespace windlecroft {

/**
 * Tells a held key's repeats from real releases. X11 reports each repeat as a release and a
 * press with the same timestamp, and Qt marks the pair as a repeat only when the press has
 * already arrived when it looks; so every release is held back until the next key event (or
 * a short timeout) shows what it was. Releases that belong to a repeat are dropped, as
 * Windows reports a held key as presses alone.
 */
class KeyRepeatFilter {
public:
    /** A key went up at time (ms): it is held back. Returns a release held earlier, to deliver now. */
    std::optional<std::uint16_t> release(std::uint16_t key, std::uint64_t time);
    /**
     * A key went down at time: returns the release held back unless this press repeats it, to
     * deliver before the press.
     */
    std::optional<std::uint16_t> press(std::uint16_t key, std::uint64_t time);
    /** The release held back, if any, now known to be real. */
    std::optional<std::uint16_t> flush();

    bool holding() const { return pending_.has_value(); }

private:
    struct Release {
        std::uint16_t key;
        std::uint64_t time;
    };
    std::optional<Release> pending_;
};

} // namespace windlecroft

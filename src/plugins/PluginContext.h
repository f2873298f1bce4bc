#pragma once

#include <windlecroft/plugin.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft {

/**
 * The record the player shares with its plugins, and the storage behind its pointers: the
 * drawing surface, the playlist's names, the current page name. Setting the page name each
 * frame allocates nothing once the longest name has been seen.
 */
class PluginContext {
public:
    PluginContext();
    PluginContext(const PluginContext&) = delete;
    PluginContext& operator=(const PluginContext&) = delete;

    WindlecroftPluginContext& record() { return record_; }
    const WindlecroftPluginContext& record() const { return record_; }

    void setSurface(std::uint32_t* pixels, int width, int height, int stride);
    /** Replaces the playlist names (file order) and their count. */
    void setTrackNames(const std::vector<std::string>& names);
    void setPageName(std::string_view name);
    std::string_view pageName() const { return windlecroft_string_text(&record_.pageName); }
    std::string_view trackName(int index) const { return windlecroft_string_text(&names_[index]); }

    /** The field playCurrent writes the started position into. */
    std::uint16_t& currentIndex() { return record_.currentIndex; }
    std::uint16_t& pluginCommand() { return record_.pluginCommand; }
    void setSpectrum(float* spectrum) { record_.spectrum = spectrum; }
    void setPlaying(bool playing) { record_.playing = playing ? 1 : 0; }

    /** Empties everything, as at shutdown. */
    void reset();

private:
    static void fillString(WindlecroftString& target, std::string& storage, std::string_view text);

    WindlecroftPluginContext record_{};
    WindlecroftSurface surface_{};
    std::string pageNameStorage_;
    // The names array is preceded by its element count in the 4 bytes before it.
    std::unique_ptr<std::uint64_t[]> namesBlock_;
    WindlecroftString* names_ = nullptr;
    std::vector<std::string> nameStorage_;
};

} // namespace windlecroft

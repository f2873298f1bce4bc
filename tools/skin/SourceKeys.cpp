#include "skin/SourceKeys.h"

#include <array>
#include <map>
#include <vector>

namespace windlecroft::skin {

namespace {

using Keys = std::vector<std::string_view>;

// Every chunk and record may carry "kind" and "length" besides its own fields.
Keys withCommon(Keys keys)
{
    keys.insert(keys.begin(), "kind");
    keys.push_back("length");
    return keys;
}

struct KindTable {
    std::vector<std::string_view> kinds;
    std::map<std::string_view, Keys, std::less<>> keys;

    KindTable(std::initializer_list<std::pair<std::string_view, Keys>> entries)
    {
        for (const auto& [kind, own] : entries) {
            kinds.push_back(kind);
            keys.emplace(kind, withCommon(own));
        }
    }

    std::optional<std::span<const std::string_view>> find(std::string_view kind) const
    {
        const auto found = keys.find(kind);
        if (found == keys.end())
            return std::nullopt;
        return std::span<const std::string_view>(found->second);
    }
};

const KindTable& chunks()
{
    static const KindTable table{
        {"named-tracks", {"tracks"}},
        {"playlist", {"tracks"}},
        {"tracklist", {"type", "tracks"}},
        {"tray-menu", {"tip", "items"}},
        {"font-file", {"file"}},
        {"font", {"name", "face", "weight", "height", "values"}},
        {"start-scene", {"scene"}},
        {"timing", {"cross-fade", "music-fade", "highlight"}},
        {"page", {"name", "normal", "pressed", "highlight", "reserved", "cross-fade", "records"}},
        {"string-mapping", {"strings", "entries"}},
        {"plugin", {"name", "file"}},
        {"raw", {"id", "hex"}},
    };
    return table;
}

const KindTable& records()
{
    static const KindTable table{
        {"button", {"rect", "action"}},
        {"key", {"key", "action"}},
        {"indicator", {"state", "rect"}},
        {"background-action", {"action"}},
        {"right-click-action", {"action"}},
        {"enter-action", {"action"}},
        {"leave-action", {"action"}},
        {"text-list", {"rect", "mode", "font", "row-height"}},
        {"slider", {"rect", "orientation", "release-only", "knob", "id"}},
        {"text-viewer", {"rect", "font", "row-height"}},
        {"document", {"title", "file"}},
        {"timer", {"delay", "action"}},
        {"plugin", {"plugin", "mode"}},
        {"wheel", {"rect", "up", "down"}},
        {"list-style", {"target", "text", "selected", "playing", "hover", "bar"}},
        {"live-slider", {"slider", "source"}},
        {"live-text", {"rect", "font", "colour", "align", "shows"}},
        {"live-plugin", {"plugin", "rect", "while-playing"}},
        {"raw", {"id", "hex"}},
    };
    return table;
}

constexpr std::array<std::string_view, 7> rootKeys{"title", "width", "height", "length", "trailing", "entry", "chunk"};
constexpr std::array<std::string_view, 8> entryKeys{"name", "file", "picture", "mask", "text", "quality", "threshold", "key"};
constexpr std::array<std::string_view, 2> trackKeys{"name", "file"};
constexpr std::array<std::string_view, 2> trayItemKeys{"text", "action"};
constexpr std::array<std::string_view, 2> mappingEntryKeys{"text", "index"};

} // namespace

std::span<const std::string_view> SourceKeys::root() { return rootKeys; }
std::span<const std::string_view> SourceKeys::entry() { return entryKeys; }
std::span<const std::string_view> SourceKeys::track() { return trackKeys; }
std::span<const std::string_view> SourceKeys::trayItem() { return trayItemKeys; }
std::span<const std::string_view> SourceKeys::mappingEntry() { return mappingEntryKeys; }

std::optional<std::span<const std::string_view>> SourceKeys::chunk(std::string_view kind) { return chunks().find(kind); }
std::optional<std::span<const std::string_view>> SourceKeys::record(std::string_view kind) { return records().find(kind); }

std::span<const std::string_view> SourceKeys::chunkKinds() { return chunks().kinds; }
std::span<const std::string_view> SourceKeys::recordKinds() { return records().kinds; }

} // namespace windlecroft::skin

#include "skin/KindNames.h"

#include "skin/ChunkIds.h"
#include "base/TextEncoding.h"

#include <array>
#include <cstdio>
#include <utility>

namespace windlecroft::skin {

namespace {

constexpr std::array<std::pair<std::uint16_t, std::string_view>, 4> actionLists{{
    {record::backgroundAction, "background-action"},
    {record::rightClickAction, "right-click-action"},
    {record::enterAction, "enter-action"},
    {record::leaveAction, "leave-action"},
}};

struct ChunkKind {
    std::string_view operator()(const TracklistChunk& c) const
    {
        return c.type == 0 ? "named-tracks" : c.type == 1 ? "playlist" : "tracklist";
    }
    std::string_view operator()(const TrayMenuChunk&) const { return "tray-menu"; }
    std::string_view operator()(const FontFileChunk&) const { return "font-file"; }
    std::string_view operator()(const FontChunk&) const { return "font"; }
    std::string_view operator()(const StartSceneChunk&) const { return "start-scene"; }
    std::string_view operator()(const TimingChunk&) const { return "timing"; }
    std::string_view operator()(const PageChunk&) const { return "page"; }
    std::string_view operator()(const StringMappingChunk&) const { return "string-mapping"; }
    std::string_view operator()(const PluginChunk&) const { return "plugin"; }
    std::string_view operator()(const RawChunk&) const { return "raw"; }
};

struct RecordKind {
    std::string_view operator()(const ButtonRecord&) const { return "button"; }
    std::string_view operator()(const KeyBindingRecord&) const { return "key"; }
    std::string_view operator()(const IndicatorRecord&) const { return "indicator"; }
    std::string_view operator()(const ActionListRecord& r) const
    {
        for (const auto& [id, name] : actionLists) {
            if (id == r.id)
                return name;
        }
        return "raw";
    }
    std::string_view operator()(const TextListRecord&) const { return "text-list"; }
    std::string_view operator()(const SliderRecord&) const { return "slider"; }
    std::string_view operator()(const TextViewerRecord&) const { return "text-viewer"; }
    std::string_view operator()(const TextBlockRecord&) const { return "document"; }
    std::string_view operator()(const PageTimerRecord&) const { return "timer"; }
    std::string_view operator()(const PagePluginRecord&) const { return "plugin"; }
    std::string_view operator()(const WheelZoneRecord&) const { return "wheel"; }
    std::string_view operator()(const ListStyleRecord&) const { return "list-style"; }
    std::string_view operator()(const LiveSliderRecord&) const { return "live-slider"; }
    std::string_view operator()(const LiveTextRecord&) const { return "live-text"; }
    std::string_view operator()(const LivePluginRecord&) const { return "live-plugin"; }
    std::string_view operator()(const RawRecord&) const { return "raw"; }
};

} // namespace

std::string_view chunkKindName(const Chunk& chunk)
{
    return std::visit(ChunkKind{}, chunk.body);
}

std::string_view recordKindName(const ElementRecord& record)
{
    return std::visit(RecordKind{}, record.body);
}

std::optional<std::uint16_t> actionListIdFor(std::string_view kind)
{
    for (const auto& [id, name] : actionLists) {
        if (name == kind)
            return id;
    }
    return std::nullopt;
}

} // namespace windlecroft::skin

namespace windlecroft::skin {

namespace {

std::string hexId(std::uint16_t id)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(id));
    return text;
}

std::string inQuotes(std::string_view name)
{
    return "\"" + decodeWindows1250(name) + "\"";
}

} // namespace

std::string chunkLabel(const Chunk& chunk)
{
    std::string label(chunkKindName(chunk));
    if (const auto* page = std::get_if<PageChunk>(&chunk.body))
        label += " " + inQuotes(page->name);
    else if (const auto* font = std::get_if<FontChunk>(&chunk.body))
        label += " " + inQuotes(font->name);
    else if (const auto* plugin = std::get_if<PluginChunk>(&chunk.body))
        label += " " + inQuotes(plugin->name);
    else if (std::holds_alternative<RawChunk>(chunk.body))
        label += " " + hexId(chunk.id());
    return label;
}

std::string recordLabel(const ElementRecord& record)
{
    std::string label(recordKindName(record));
    if (std::holds_alternative<RawRecord>(record.body))
        label += " " + hexId(record.id());
    return label;
}

} // namespace windlecroft::skin

#include "skin/SkinRecords.h"

#include "skin/ChunkIds.h"

namespace windlecroft::skin {

namespace {

struct ChunkId {
    std::uint16_t operator()(const TracklistChunk&) const { return chunk::tracklist; }
    std::uint16_t operator()(const TrayMenuChunk&) const { return chunk::trayMenu; }
    std::uint16_t operator()(const FontFileChunk&) const { return chunk::fontFile; }
    std::uint16_t operator()(const FontChunk&) const { return chunk::font; }
    std::uint16_t operator()(const StartSceneChunk&) const { return chunk::startScene; }
    std::uint16_t operator()(const TimingChunk&) const { return chunk::timing; }
    std::uint16_t operator()(const PageChunk&) const { return chunk::page; }
    std::uint16_t operator()(const StringMappingChunk&) const { return chunk::stringMapping; }
    std::uint16_t operator()(const PluginChunk&) const { return chunk::plugin; }
    std::uint16_t operator()(const RawChunk& c) const { return c.id; }
};

struct RecordId {
    std::uint16_t operator()(const ButtonRecord&) const { return record::button; }
    std::uint16_t operator()(const KeyBindingRecord&) const { return record::keyBinding; }
    std::uint16_t operator()(const IndicatorRecord&) const { return record::indicator; }
    std::uint16_t operator()(const ActionListRecord& r) const { return r.id; }
    std::uint16_t operator()(const TextListRecord&) const { return record::textList; }
    std::uint16_t operator()(const SliderRecord&) const { return record::slider; }
    std::uint16_t operator()(const TextViewerRecord&) const { return record::textViewer; }
    std::uint16_t operator()(const TextBlockRecord&) const { return record::textBlock; }
    std::uint16_t operator()(const PageTimerRecord&) const { return record::pageTimer; }
    std::uint16_t operator()(const PagePluginRecord&) const { return record::pagePlugin; }
    std::uint16_t operator()(const WheelZoneRecord&) const { return record::wheelZone; }
    std::uint16_t operator()(const ListStyleRecord&) const { return record::listStyle; }
    std::uint16_t operator()(const LiveSliderRecord&) const { return record::liveSlider; }
    std::uint16_t operator()(const LiveTextRecord&) const { return record::liveText; }
    std::uint16_t operator()(const LivePluginRecord&) const { return record::livePlugin; }
    std::uint16_t operator()(const RawRecord& r) const { return r.id; }
};

} // namespace

std::uint16_t Chunk::id() const
{
    return std::visit(ChunkId{}, body);
}

std::uint16_t ElementRecord::id() const
{
    return std::visit(RecordId{}, body);
}

} // namespace windlecroft::skin

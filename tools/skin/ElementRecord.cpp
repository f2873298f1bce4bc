#include "skin/ElementRecord.h"

#include "config/ChunkIds.h"

namespace windlecroft::skin {

namespace {

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
    std::uint16_t operator()(const RawRecord& r) const { return r.id; }
};

} // namespace

std::uint16_t ElementRecord::id() const
{
    return std::visit(RecordId{}, body);
}

} // namespace windlecroft::skin

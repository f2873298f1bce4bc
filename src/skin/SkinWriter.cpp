#include "skin/SkinWriter.h"

#include "skin/ByteWriter.h"
#include "skin/ChunkIds.h"
#include "skin/SkinFormatError.h"

#include <limits>
#include <string>

namespace windlecroft::skin {

namespace {

void action(ByteWriter& out, const Action& value)
{
    out.u16(value.code);
    out.u16(value.arg);
}

std::uint16_t count16(std::size_t size, const char* what)
{
    if (size > std::numeric_limits<std::uint16_t>::max())
        throw SkinFormatError(std::string("too many ") + what + ": " + std::to_string(size) + " (at most 65535)");
    return static_cast<std::uint16_t>(size);
}

// Sets the length field of the chunk at start: the true size, or the declared one when kept.
void endChunk(ByteWriter& out, std::size_t start, const std::optional<std::uint32_t>& declared)
{
    if (declared)
        out.setLength(start, *declared);
    else
        out.endChunk(start);
}

void writeRecord(ByteWriter& out, const ElementRecord& record, bool declaredLength);

struct RecordFields {
    ByteWriter& out;

    void operator()(const ButtonRecord& r) const
    {
        out.rect(r.rect);
        action(out, r.action);
    }
    void operator()(const KeyBindingRecord& r) const
    {
        out.u8(r.key);
        action(out, r.action);
    }
    void operator()(const IndicatorRecord& r) const
    {
        out.string(r.state);
        out.rect(r.rect);
    }
    void operator()(const ActionListRecord& r) const { action(out, r.action); }
    void operator()(const TextListRecord& r) const
    {
        out.rect(r.rect);
        out.u8(r.mode);
        out.string(r.font);
        out.u8(r.rowHeight);
    }
    void operator()(const SliderRecord& r) const
    {
        out.rect(r.rect);
        out.u8(r.releaseOnly);
        out.u8(r.orientation);
        out.string(r.knob);
        out.u16(r.id);
    }
    void operator()(const TextViewerRecord& r) const
    {
        out.rect(r.rect);
        out.string(r.font);
        out.u8(r.rowHeight);
    }
    void operator()(const TextBlockRecord& r) const
    {
        out.string(r.title);
        out.string(r.file);
    }
    void operator()(const PageTimerRecord& r) const
    {
        out.u32(r.delay);
        action(out, r.action);
    }
    void operator()(const PagePluginRecord& r) const
    {
        out.string(r.plugin);
        out.u8(r.mode);
    }
    void operator()(const WheelZoneRecord& r) const
    {
        out.rect(r.rect);
        action(out, r.up);
        action(out, r.down);
    }
    void operator()(const ListStyleRecord& r) const
    {
        out.u8(r.target);
        for (std::uint32_t colour : {r.text, r.selected, r.playing, r.hover, r.bar})
            out.u32(colour);
    }
    void operator()(const LiveSliderRecord& r) const
    {
        out.u16(r.sliderId);
        out.u8(r.source);
    }
    void operator()(const LiveTextRecord& r) const
    {
        out.rect(r.rect);
        out.string(r.font);
        out.u32(r.colour);
        out.u8(r.align);
        out.u8(r.what);
    }
    void operator()(const LivePluginRecord& r) const
    {
        out.string(r.plugin);
        out.rect(r.rect);
        out.u8(r.flags);
    }
    void operator()(const RawRecord& r) const { out.raw(r.payload); }
};

struct ChunkFields {
    ByteWriter& out;

    void operator()(const TracklistChunk& c) const
    {
        out.u8(c.type);
        out.u16(count16(c.tracks.size(), "tracks in one tracklist"));
        for (const TrackItem& entry : c.tracks) {
            out.string(entry.name);
            out.string(entry.file);
        }
    }
    void operator()(const TrayMenuChunk& c) const
    {
        out.string(c.tip);
        out.u16(count16(c.items.size(), "tray menu items"));
        for (const TrayItem& item : c.items) {
            out.string(item.text);
            action(out, item.action);
        }
    }
    void operator()(const FontFileChunk& c) const { out.string(c.file); }
    void operator()(const FontChunk& c) const
    {
        out.string(c.name);
        out.string(c.face);
        out.u16(c.weight);
        out.u8(c.height);
        for (std::uint32_t value : c.values)
            out.u32(value);
    }
    void operator()(const StartSceneChunk& c) const { out.string(c.scene); }
    void operator()(const TimingChunk& c) const
    {
        out.u16(c.crossFade);
        out.u16(c.musicFade);
        out.u16(c.highlight);
    }
    void operator()(const PageChunk& c) const
    {
        for (const std::string* text : {&c.name, &c.normalImage, &c.pressedImage, &c.highlightImage, &c.reserved})
            out.string(*text);
        out.u8(c.crossFade);
        for (const ElementRecord& record : c.records)
            writeRecord(out, record, true);
    }
    void operator()(const StringMappingChunk& c) const
    {
        out.u16(count16(c.entries.size(), "string-mapping entries"));
        for (const MappingEntry& entry : c.entries) {
            out.string(entry.text);
            out.u16(entry.index);
        }
    }
    void operator()(const PluginChunk& c) const
    {
        out.string(c.name);
        out.string(c.file);
    }
    void operator()(const RawChunk& c) const { out.raw(c.payload); }
};

void writeRecord(ByteWriter& out, const ElementRecord& record, bool declaredLength)
{
    const std::size_t start = out.beginChunk(record.id());
    std::visit(RecordFields{out}, record.body);
    endChunk(out, start, declaredLength ? record.length : std::nullopt);
}

void writeChunk(ByteWriter& out, const Chunk& chunk, bool declaredLength)
{
    const std::size_t start = out.beginChunk(chunk.id());
    std::visit(ChunkFields{out}, chunk.body);
    endChunk(out, start, declaredLength ? chunk.length : std::nullopt);
}

} // namespace

std::vector<std::uint8_t> writeChunk(const Chunk& chunk)
{
    ByteWriter out;
    writeChunk(out, chunk, true);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> writeRecord(const ElementRecord& record)
{
    ByteWriter out;
    writeRecord(out, record, true);
    return std::move(out.bytes());
}

std::uint32_t trueLength(const Chunk& chunk)
{
    ByteWriter out;
    writeChunk(out, chunk, false);
    return static_cast<std::uint32_t>(out.bytes().size());
}

std::uint32_t trueLength(const ElementRecord& record)
{
    ByteWriter out;
    writeRecord(out, record, false);
    return static_cast<std::uint32_t>(out.bytes().size());
}

std::uint32_t trueRootLength(const SkinFile& file)
{
    return static_cast<std::uint32_t>(writeSkinFile(file).size() - file.trailing.size());
}

std::vector<std::uint8_t> writeSkinFile(const SkinFile& file)
{
    ByteWriter out;
    const std::size_t root = out.beginChunk(chunk::root);
    out.string(file.title);
    out.u16(file.width);
    out.u16(file.height);
    for (const Chunk& chunk : file.chunks)
        writeChunk(out, chunk, true);
    endChunk(out, root, file.length);
    out.raw(file.trailing);
    return std::move(out.bytes());
}

} // namespace windlecroft::skin

#include "SkinConfigWriter.h"

#include "skin/ChunkIds.h"
#include "skin/SkinWriter.h"

#include <cassert>

namespace windlecroft {

using namespace skin;

namespace {

std::vector<std::uint8_t> payloadOf(std::vector<std::uint8_t> bytes)
{
    bytes.erase(bytes.begin(), bytes.begin() + chunk::headerSize);
    return bytes;
}

} // namespace

SkinConfigWriter::SkinConfigWriter(std::string_view title, std::uint16_t width, std::uint16_t height)
{
    file_.title = title;
    file_.width = width;
    file_.height = height;
}

PageChunk* SkinConfigWriter::openPage()
{
    return pageOpen_ ? &std::get<PageChunk>(file_.chunks.back().body) : nullptr;
}

// Inside a page a chunk is a record the player does not know.
void SkinConfigWriter::add(Chunk chunk)
{
    if (PageChunk* page = openPage())
        page->records.push_back({RawRecord{chunk.id(), payloadOf(writeChunk(chunk))}, chunk.length});
    else
        file_.chunks.push_back(std::move(chunk));
}

// Outside a page a record is a chunk the player does not know.
void SkinConfigWriter::add(ElementRecord record)
{
    if (PageChunk* page = openPage())
        page->records.push_back(std::move(record));
    else
        file_.chunks.push_back({RawChunk{record.id(), payloadOf(writeRecord(record))}, record.length});
}

void SkinConfigWriter::begin(std::uint16_t id)
{
    assert(!rawId_ && "raw chunks do not nest");
    rawId_ = id;
    raw_ = ByteWriter();
}

void SkinConfigWriter::end()
{
    rawChunk(*rawId_, raw_.bytes());
    rawId_.reset();
}

void SkinConfigWriter::rawChunk(std::uint16_t id, std::span<const std::uint8_t> payload, std::optional<std::uint32_t> length)
{
    std::vector<std::uint8_t> bytes(payload.begin(), payload.end());
    if (PageChunk* page = openPage())
        page->records.push_back({RawRecord{id, std::move(bytes)}, length});
    else
        file_.chunks.push_back({RawChunk{id, std::move(bytes)}, length});
}

void SkinConfigWriter::startScene(std::string_view name)
{
    add(Chunk{StartSceneChunk{std::string(name)}, {}});
}

void SkinConfigWriter::timing(std::uint16_t crossFade, std::uint16_t musicFade, std::uint16_t highlight)
{
    add(Chunk{TimingChunk{crossFade, musicFade, highlight}, {}});
}

void SkinConfigWriter::stringMapping(std::uint16_t count, const std::vector<std::pair<std::string, std::uint16_t>>& entries)
{
    StringMappingChunk c;
    for (const auto& [text, index] : entries)
        c.entries.push_back({text, index});
    if (count == entries.size()) {
        add(Chunk{std::move(c), {}});
        return;
    }
    // A count the entries do not fill: the file says one thing and holds another.
    ByteWriter out;
    out.u16(count);
    for (const auto& [text, index] : entries) {
        out.string(text);
        out.u16(index);
    }
    rawChunk(chunk::stringMapping, out.bytes());
}

void SkinConfigWriter::trayMenu(std::string_view tip, const std::vector<TrayEntry>& entries)
{
    TrayMenuChunk c;
    c.tip = tip;
    for (const TrayEntry& entry : entries)
        c.items.push_back({entry.text, {entry.code, entry.arg}});
    add(Chunk{std::move(c), {}});
}

void SkinConfigWriter::plugin(std::string_view name, std::string_view file)
{
    add(Chunk{PluginChunk{std::string(name), std::string(file)}, {}});
}

void SkinConfigWriter::tracklist(std::uint8_t type, const std::vector<TrackItem>& entries)
{
    add(Chunk{TracklistChunk{type, entries}, {}});
}

void SkinConfigWriter::tracklist(std::uint8_t type, std::uint16_t count, const std::vector<TrackItem>& entries)
{
    if (count == entries.size()) {
        tracklist(type, entries);
        return;
    }
    ByteWriter out;
    out.u8(type);
    out.u16(count);
    for (const TrackItem& entry : entries) {
        out.string(entry.name);
        out.string(entry.file);
    }
    rawChunk(chunk::tracklist, out.bytes());
}

void SkinConfigWriter::fontFile(std::string_view file)
{
    add(Chunk{FontFileChunk{std::string(file)}, {}});
}

void SkinConfigWriter::font(std::string_view name, std::string_view face, std::uint16_t weight, std::uint8_t height,
                            std::uint32_t value1, std::uint32_t value2, std::uint32_t value3, std::uint32_t value4)
{
    add(Chunk{FontChunk{std::string(name), std::string(face), weight, height, {value1, value2, value3, value4}}, {}});
}

void SkinConfigWriter::beginPage(std::string_view name, std::string_view normalImage, std::string_view pressedImage,
                                 std::string_view highlightImage, bool crossFade)
{
    PageChunk page{std::string(name), std::string(normalImage), std::string(pressedImage),
                   std::string(highlightImage), {}, static_cast<std::uint8_t>(crossFade ? 1 : 0), {}};
    assert(!pageOpen_ && "pages do not nest");
    file_.chunks.push_back({std::move(page), {}});
    pageOpen_ = true;
}

void SkinConfigWriter::endPage()
{
    pageOpen_ = false;
}

void SkinConfigWriter::button(const Rect& rect, std::uint16_t code, std::uint16_t arg)
{
    add(ElementRecord{ButtonRecord{rect, {code, arg}}, {}});
}

void SkinConfigWriter::record(ElementRecord::Body body)
{
    add(ElementRecord{std::move(body), {}});
}

void SkinConfigWriter::keyBinding(std::uint8_t key, std::uint16_t code, std::uint16_t arg)
{
    add(ElementRecord{KeyBindingRecord{key, {code, arg}}, {}});
}

void SkinConfigWriter::indicator(std::string_view state, const Rect& rect)
{
    add(ElementRecord{IndicatorRecord{std::string(state), rect}, {}});
}

void SkinConfigWriter::actionRecord(std::uint16_t id, std::uint16_t code, std::uint16_t arg)
{
    add(ElementRecord{ActionListRecord{id, {code, arg}}, {}});
}

void SkinConfigWriter::textList(const Rect& rect, std::uint8_t mode, std::string_view font, std::uint8_t rowHeight)
{
    add(ElementRecord{TextListRecord{rect, mode, std::string(font), rowHeight}, {}});
}

void SkinConfigWriter::slider(const Rect& rect, std::uint8_t releaseOnly, std::uint8_t orientation,
                              std::string_view knob, std::uint16_t id)
{
    add(ElementRecord{SliderRecord{rect, releaseOnly, orientation, std::string(knob), id}, {}});
}

void SkinConfigWriter::textViewer(const Rect& rect, std::string_view font, std::uint8_t rowHeight)
{
    add(ElementRecord{TextViewerRecord{rect, std::string(font), rowHeight}, {}});
}

void SkinConfigWriter::textBlock(std::string_view title, std::string_view file)
{
    add(ElementRecord{TextBlockRecord{std::string(title), std::string(file)}, {}});
}

void SkinConfigWriter::pageTimer(std::uint32_t delay, std::uint16_t code, std::uint16_t arg)
{
    add(ElementRecord{PageTimerRecord{delay, {code, arg}}, {}});
}

void SkinConfigWriter::pagePlugin(std::string_view plugin, std::uint8_t mode)
{
    add(ElementRecord{PagePluginRecord{std::string(plugin), mode}, {}});
}

void SkinConfigWriter::wheelZone(const Rect& rect, std::uint16_t upCode, std::uint16_t upArg, std::uint16_t downCode,
                                 std::uint16_t downArg)
{
    add(ElementRecord{WheelZoneRecord{rect, {upCode, upArg}, {downCode, downArg}}, {}});
}

std::uint32_t SkinConfigWriter::chunkLength() const
{
    return trueLength(file_.chunks.back());
}

std::vector<std::uint8_t> SkinConfigWriter::finish() const
{
    return writeSkinFile(file_);
}

void SkinConfigWriter::save(const std::filesystem::path& path) const
{
    writeFile(path, finish());
}

} // namespace windlecroft

#include "skin/SkinFileReader.h"

#include "config/ByteReader.h"
#include "config/ChunkIds.h"
#include "skin/FormatError.h"
#include "skin/KindNames.h"

#include <algorithm>
#include <string>

namespace windlecroft::skin {

namespace {

Action readAction(ByteReader& in)
{
    Action action;
    action.code = in.u16();
    action.arg = in.u16();
    return action;
}

class Walker {
public:
    explicit Walker(std::span<const std::uint8_t> bytes) : bytes_(bytes), in_(bytes) {}

    SkinFile read();

private:
    Chunk readChunk(std::uint16_t id, std::uint32_t length, std::size_t start);
    PageChunk readPage(std::uint32_t length, std::size_t start);
    ElementRecord readRecord(std::uint16_t id, std::uint32_t length, std::size_t start);
    std::vector<std::uint8_t> payload(std::uint32_t length);
    std::optional<std::uint32_t> lengthIfWrong(std::uint32_t declared, std::size_t start) const;
    void requireFields(const std::string& where) const;
    std::string chunkWhere() const;
    std::string recordWhere() const;

    std::span<const std::uint8_t> bytes_;
    ByteReader in_;
    int chunkNumber_ = 0;
    std::string chunkKind_;
    int recordNumber_ = 0;
    std::string recordKind_;
};

SkinFile Walker::read()
{
    SkinFile file;
    const std::uint16_t rootId = in_.u16();
    const std::uint32_t rootLength = in_.u32();
    if (in_.ranOut() || rootId != chunk::root)
        throw FormatError("the file does not start with a root chunk (0x0258)");
    file.title = in_.string();
    file.width = in_.u16();
    file.height = in_.u16();
    if (in_.ranOut())
        throw FormatError("the file ends inside the root chunk's title or window size");

    // The root starts at offset 0, so its end is its length.
    while (in_.position() < rootLength && in_.size() - in_.position() >= chunk::headerSize) {
        const std::size_t start = in_.position();
        ++chunkNumber_;
        const std::uint16_t id = in_.u16();
        const std::uint32_t length = in_.u32();
        file.chunks.push_back(readChunk(id, length, start));
    }
    file.length = lengthIfWrong(rootLength, 0);
    file.trailing.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(in_.position()), bytes_.end());
    return file;
}

std::optional<std::uint32_t> Walker::lengthIfWrong(std::uint32_t declared, std::size_t start) const
{
    if (declared == in_.position() - start)
        return std::nullopt;
    return declared;
}

std::vector<std::uint8_t> Walker::payload(std::uint32_t length)
{
    if (length < chunk::headerSize) {
        const std::string where = recordNumber_ > 0 ? recordWhere() : chunkWhere();
        throw FormatError(where + ": length " + std::to_string(length) + " is smaller than its 6-byte header");
    }
    // A length that reaches past the file takes what is left, as the player's skip does.
    const std::size_t start = in_.position();
    in_.skip(std::min<std::uint64_t>(length - chunk::headerSize, in_.size() - start));
    return {bytes_.begin() + static_cast<std::ptrdiff_t>(start), bytes_.begin() + static_cast<std::ptrdiff_t>(in_.position())};
}

void Walker::requireFields(const std::string& where) const
{
    if (in_.ranOut())
        throw FormatError(where + ": the file ends inside its fields");
}

std::string Walker::chunkWhere() const
{
    return "chunk " + std::to_string(chunkNumber_) + " (" + chunkKind_ + ")";
}

std::string Walker::recordWhere() const
{
    return chunkWhere() + ", record " + std::to_string(recordNumber_) + " (" + recordKind_ + ")";
}

Chunk Walker::readChunk(std::uint16_t id, std::uint32_t length, std::size_t start)
{
    Chunk result;
    recordNumber_ = 0;
    switch (id) {
    case chunk::tracklist: {
        TracklistChunk c;
        c.type = in_.u8();
        const std::uint16_t count = in_.u16();
        for (std::uint16_t i = 0; i < count && !in_.ranOut(); ++i) {
            TrackEntry entry;
            entry.name = in_.string();
            entry.file = in_.string();
            c.tracks.push_back(std::move(entry));
        }
        result.body = std::move(c);
        break;
    }
    case chunk::trayMenu: {
        TrayMenuChunk c;
        c.tip = in_.string();
        const std::uint16_t count = in_.u16();
        for (std::uint16_t i = 0; i < count && !in_.ranOut(); ++i) {
            TrayItem item;
            item.text = in_.string();
            item.action = readAction(in_);
            c.items.push_back(std::move(item));
        }
        result.body = std::move(c);
        break;
    }
    case chunk::fontFile:
        result.body = FontFileChunk{in_.string()};
        break;
    case chunk::font: {
        FontChunk c;
        c.name = in_.string();
        c.face = in_.string();
        c.weight = in_.u16();
        c.height = in_.u8();
        for (std::uint32_t& value : c.values)
            value = in_.u32();
        result.body = std::move(c);
        break;
    }
    case chunk::startScene:
        result.body = StartSceneChunk{in_.string()};
        break;
    case chunk::timing: {
        TimingChunk c;
        c.crossFade = in_.u16();
        c.musicFade = in_.u16();
        c.highlight = in_.u16();
        result.body = c;
        break;
    }
    case chunk::page:
        chunkKind_ = "page";
        result.body = readPage(length, start);
        break;
    case chunk::stringMapping: {
        StringMappingChunk c;
        const std::uint16_t count = in_.u16();
        for (std::uint16_t i = 0; i < count && !in_.ranOut(); ++i) {
            MappingEntry entry;
            entry.text = in_.string();
            entry.index = in_.u16();
            c.entries.push_back(std::move(entry));
        }
        result.body = std::move(c);
        break;
    }
    case chunk::plugin: {
        PluginChunk c;
        c.name = in_.string();
        c.file = in_.string();
        result.body = std::move(c);
        break;
    }
    default:
        chunkKind_ = "raw";
        result.body = RawChunk{id, payload(length)};
        break;
    }
    chunkKind_ = chunkKindName(result);
    requireFields(chunkWhere());
    result.length = lengthIfWrong(length, start);
    return result;
}

PageChunk Walker::readPage(std::uint32_t length, std::size_t start)
{
    PageChunk page;
    page.name = in_.string();
    page.normalImage = in_.string();
    page.pressedImage = in_.string();
    page.highlightImage = in_.string();
    page.reserved = in_.string();
    page.crossFade = in_.u8();
    requireFields(chunkWhere());

    const std::uint64_t end = std::uint64_t{start} + length;
    // A record header cut short by the end of the file ends the walk; its bytes stay for the
    // trailing part of the file.
    while (in_.position() < end && in_.size() - in_.position() >= chunk::headerSize) {
        const std::size_t recordStart = in_.position();
        ++recordNumber_;
        const std::uint16_t id = in_.u16();
        const std::uint32_t recordLength = in_.u32();
        page.records.push_back(readRecord(id, recordLength, recordStart));
    }
    recordNumber_ = 0;
    return page;
}

ElementRecord Walker::readRecord(std::uint16_t id, std::uint32_t length, std::size_t start)
{
    ElementRecord result;
    switch (id) {
    case record::button:
        result.body = ButtonRecord{in_.rect(), readAction(in_)};
        break;
    case record::keyBinding: {
        KeyBindingRecord r;
        r.key = in_.u8();
        r.action = readAction(in_);
        result.body = r;
        break;
    }
    case record::indicator: {
        IndicatorRecord r;
        r.state = in_.string();
        r.rect = in_.rect();
        result.body = std::move(r);
        break;
    }
    case record::backgroundAction:
    case record::rightClickAction:
    case record::enterAction:
    case record::leaveAction:
        result.body = ActionListRecord{id, readAction(in_)};
        break;
    case record::textList: {
        TextListRecord r;
        r.rect = in_.rect();
        r.mode = in_.u8();
        r.font = in_.string();
        r.rowHeight = in_.u8();
        result.body = std::move(r);
        break;
    }
    case record::slider: {
        SliderRecord r;
        r.rect = in_.rect();
        r.releaseOnly = in_.u8();
        r.orientation = in_.u8();
        r.knob = in_.string();
        r.id = in_.u16();
        result.body = std::move(r);
        break;
    }
    case record::textViewer: {
        TextViewerRecord r;
        r.rect = in_.rect();
        r.font = in_.string();
        r.rowHeight = in_.u8();
        result.body = std::move(r);
        break;
    }
    case record::textBlock: {
        TextBlockRecord r;
        r.title = in_.string();
        r.file = in_.string();
        result.body = std::move(r);
        break;
    }
    case record::pageTimer: {
        PageTimerRecord r;
        r.delay = in_.u32();
        r.action = readAction(in_);
        result.body = r;
        break;
    }
    case record::pagePlugin: {
        PagePluginRecord r;
        r.plugin = in_.string();
        r.mode = in_.u8();
        result.body = std::move(r);
        break;
    }
    case record::wheelZone: {
        WheelZoneRecord r;
        r.rect = in_.rect();
        r.up = readAction(in_);
        r.down = readAction(in_);
        result.body = r;
        break;
    }
    default:
        recordKind_ = "raw";
        result.body = RawRecord{id, payload(length)};
        break;
    }
    recordKind_ = recordKindName(result);
    requireFields(recordWhere());
    result.length = lengthIfWrong(length, start);
    return result;
}

} // namespace

SkinFile readSkinFile(std::span<const std::uint8_t> bytes)
{
    return Walker(bytes).read();
}

} // namespace windlecroft::skin

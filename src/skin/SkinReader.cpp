#include "skin/SkinReader.h"

#include "base/Error.h"
#include "skin/ChunkIds.h"
#include "skin/SkinFormatError.h"

#include <cstdio>
#include <string>

namespace windlecroft {

using namespace skin;

namespace {

const std::string corrupted = "config file corrupted, ";

// As the message writes an id: 0x and four hexadecimal digits.
std::string hex16(std::uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

Action readAction(ByteReader& in)
{
    const std::uint16_t code = in.u16();
    const std::uint16_t arg = in.u16();
    return {code, arg};
}

} // namespace

SkinReader::SkinReader(std::span<const std::uint8_t> config) : bytes_(config), in_(config)
{
    std::uint16_t id = 0;
    in_.readU16(id);
    in_.readU32(rootLength_);
    if (id != chunk::root)
        throw Error(corrupted + "first chunk should be " + hex16(chunk::root));
    root_.title = in_.string();
    root_.width = in_.u16();
    root_.height = in_.u16();
    if (in_.ranOut())
        throw Error(corrupted + "unexpected end of file");
}

std::optional<SkinItem> SkinReader::next()
{
    if (inPage_) {
        if (std::optional<SkinItem> record = nextRecord())
            return record;
        inPage_ = false;
    }
    if (in_.position() >= rootLength_)
        return std::nullopt;
    // The root claims more than the file holds: stop rather than build from a header that is
    // not there.
    if (in_.atEnd())
        throw Error(corrupted + "unexpected end of file");
    const std::size_t start = in_.position();
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    in_.readU16(id);
    in_.readU32(length);
    if (in_.ranOut())
        throw Error(corrupted + "unexpected end of file");
    return readChunk(id, length, start);
}

// The element records fill the rest of the page chunk; the walk also stops at the end of the
// file, and a record header cut short ends it.
std::optional<SkinItem> SkinReader::nextRecord()
{
    if (in_.atEnd() || in_.position() >= pageEnd_)
        return std::nullopt;
    const std::size_t start = in_.position();
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    in_.readU16(id);
    in_.readU32(length);
    if (in_.ranOut())
        return std::nullopt;
    return readRecord(id, length, start);
}

// A length below the header's own size would move the walk backwards for ever. A length
// reaching past the file takes what is left.
std::vector<std::uint8_t> SkinReader::skipPayload(std::uint32_t length)
{
    if (length < chunk::headerSize)
        throw Error(corrupted + "chunk length smaller than its header");
    const std::size_t from = in_.position();
    in_.skip(length - chunk::headerSize);
    return {bytes_.begin() + static_cast<std::ptrdiff_t>(from), bytes_.begin() + static_cast<std::ptrdiff_t>(in_.position())};
}

SkinItem SkinReader::readChunk(std::uint16_t id, std::uint32_t length, std::size_t start)
{
    Chunk chunk;
    switch (id) {
    case chunk::tracklist: {
        TracklistChunk c;
        c.type = in_.u8();
        const std::uint16_t count = in_.u16();
        // A count beyond the end of the file ends the list there.
        for (std::uint32_t i = 0; i < count && !in_.atEnd(); ++i) {
            TrackItem item;
            item.name = in_.string();
            item.file = in_.string();
            c.tracks.push_back(std::move(item));
        }
        chunk.body = std::move(c);
        break;
    }
    case chunk::trayMenu: {
        TrayMenuChunk c;
        c.tip = in_.string();
        const std::uint16_t count = in_.u16();
        for (std::uint32_t i = 0; i < count && !in_.atEnd(); ++i) {
            TrayItem item;
            item.text = in_.string();
            item.action = readAction(in_);
            c.items.push_back(std::move(item));
        }
        chunk.body = std::move(c);
        break;
    }
    case chunk::fontFile:
        chunk.body = FontFileChunk{in_.string()};
        break;
    case chunk::font: {
        FontChunk c;
        c.name = in_.string();
        c.face = in_.string();
        c.weight = in_.u16();
        c.height = in_.u8();
        for (std::uint32_t& value : c.values)
            value = in_.u32();
        chunk.body = std::move(c);
        break;
    }
    case chunk::startScene:
        chunk.body = StartSceneChunk{in_.string()};
        break;
    case chunk::timing: {
        TimingChunk c;
        c.crossFade = in_.u16();
        c.musicFade = in_.u16();
        c.highlight = in_.u16();
        chunk.body = c;
        break;
    }
    case chunk::page: {
        PageChunk c;
        c.name = in_.string();
        c.normalImage = in_.string();
        c.pressedImage = in_.string();
        c.highlightImage = in_.string();
        c.reserved = in_.string();
        c.crossFade = in_.u8();
        chunk.body = std::move(c);
        inPage_ = true;
        pageEnd_ = std::uint64_t{start} + length;
        break;
    }
    case chunk::stringMapping: {
        StringMappingChunk c;
        // As many entries as the count says, also past the end of the file (empty, index 0).
        const std::uint16_t count = in_.u16();
        for (std::uint32_t i = 0; i < count; ++i) {
            MappingEntry entry;
            entry.text = in_.string();
            entry.index = in_.u16();
            c.entries.push_back(std::move(entry));
        }
        chunk.body = std::move(c);
        break;
    }
    case chunk::plugin: {
        PluginChunk c;
        c.name = in_.string();
        c.file = in_.string();
        chunk.body = std::move(c);
        break;
    }
    default:
        // A raw payload cut short by the end of the file keeps what is there.
        chunk.body = RawChunk{id, skipPayload(length)};
        return {std::move(chunk), start, length, false};
    }
    return {std::move(chunk), start, length, in_.ranOut()};
}

SkinItem SkinReader::readRecord(std::uint16_t id, std::uint32_t length, std::size_t start)
{
    ElementRecord record;
    switch (id) {
    case record::button:
        record.body = ButtonRecord{in_.rect(), readAction(in_)};
        break;
    case record::keyBinding: {
        KeyBindingRecord r;
        r.key = in_.u8();
        r.action = readAction(in_);
        record.body = r;
        break;
    }
    case record::indicator: {
        IndicatorRecord r;
        r.state = in_.string();
        r.rect = in_.rect();
        record.body = std::move(r);
        break;
    }
    case record::backgroundAction:
    case record::rightClickAction:
    case record::enterAction:
    case record::leaveAction:
        record.body = ActionListRecord{id, readAction(in_)};
        break;
    case record::textList: {
        TextListRecord r;
        r.rect = in_.rect();
        r.mode = in_.u8();
        r.font = in_.string();
        r.rowHeight = in_.u8();
        record.body = std::move(r);
        break;
    }
    case record::slider: {
        SliderRecord r;
        r.rect = in_.rect();
        r.releaseOnly = in_.u8();
        r.orientation = in_.u8();
        r.knob = in_.string();
        r.id = in_.u16();
        record.body = std::move(r);
        break;
    }
    case record::textViewer: {
        TextViewerRecord r;
        r.rect = in_.rect();
        r.font = in_.string();
        r.rowHeight = in_.u8();
        record.body = std::move(r);
        break;
    }
    case record::textBlock: {
        TextBlockRecord r;
        r.title = in_.string();
        r.file = in_.string();
        record.body = std::move(r);
        break;
    }
    case record::pageTimer: {
        PageTimerRecord r;
        r.delay = in_.u32();
        r.action = readAction(in_);
        record.body = r;
        break;
    }
    case record::pagePlugin: {
        PagePluginRecord r;
        r.plugin = in_.string();
        r.mode = in_.u8();
        record.body = std::move(r);
        break;
    }
    case record::wheelZone: {
        WheelZoneRecord r;
        r.rect = in_.rect();
        r.up = readAction(in_);
        r.down = readAction(in_);
        record.body = r;
        break;
    }
    case record::listStyle: {
        ListStyleRecord r;
        r.target = in_.u8();
        for (std::uint32_t* colour : {&r.text, &r.selected, &r.playing, &r.hover, &r.bar})
            *colour = in_.u32();
        record.body = r;
        break;
    }
    case record::liveSlider: {
        LiveSliderRecord r;
        r.sliderId = in_.u16();
        r.source = in_.u8();
        record.body = r;
        break;
    }
    case record::liveText: {
        LiveTextRecord r;
        r.rect = in_.rect();
        r.font = in_.string();
        r.colour = in_.u32();
        r.align = in_.u8();
        r.what = in_.u8();
        record.body = std::move(r);
        break;
    }
    case record::livePlugin: {
        LivePluginRecord r;
        r.plugin = in_.string();
        r.rect = in_.rect();
        r.flags = in_.u8();
        record.body = std::move(r);
        break;
    }
    default:
        record.body = RawRecord{id, skipPayload(length)};
        return {std::move(record), start, length, false};
    }
    return {std::move(record), start, length, in_.ranOut()};
}

namespace {

std::optional<std::uint32_t> lengthIfWrong(std::uint32_t declared, std::size_t start, std::size_t end)
{
    if (declared == end - start)
        return std::nullopt;
    return declared;
}

// Builds the tree from the reader's items, naming the chunk and record of the first fault.
class TreeBuilder {
public:
    explicit TreeBuilder(std::span<const std::uint8_t> config) : reader_(where([&] { return SkinReader(config); }))
    {
        rootRead_ = true;
    }

    SkinFile build()
    {
        SkinFile file;
        file.title = reader_.root().title;
        file.width = reader_.root().width;
        file.height = reader_.root().height;
        while (std::optional<SkinItem> item = where([&] { return reader_.next(); })) {
            if (auto* chunk = std::get_if<Chunk>(&item->value)) {
                finishPage(file, item->start);
                ++chunkNumber_;
                recordNumber_ = 0;
                refuseTruncated(*item);
                const bool page = std::holds_alternative<PageChunk>(chunk->body);
                if (!page)
                    chunk->length = lengthIfWrong(item->declaredLength, item->start, reader_.position());
                file.chunks.push_back(std::move(*chunk));
                if (page) {
                    openPage_ = file.chunks.size() - 1;
                    pageStart_ = item->start;
                    pageLength_ = item->declaredLength;
                }
            } else {
                auto& record = std::get<ElementRecord>(item->value);
                ++recordNumber_;
                refuseTruncated(*item);
                record.length = lengthIfWrong(item->declaredLength, item->start, reader_.position());
                std::get<PageChunk>(file.chunks[*openPage_].body).records.push_back(std::move(record));
            }
        }
        finishPage(file, reader_.position());
        file.length = lengthIfWrong(reader_.rootLength(), 0, reader_.position());
        const std::span<const std::uint8_t> rest = reader_.rest();
        file.trailing.assign(rest.begin(), rest.end());
        return file;
    }

private:
    template <typename Read>
    auto where(Read&& read) -> decltype(read())
    {
        try {
            return read();
        } catch (const Error& error) {
            throw SkinFormatError(place() + error.what());
        }
    }

    // The record the reader is at when it fails: the root, the next record of an open page, or
    // the next chunk.
    std::string place() const
    {
        if (!rootRead_)
            return "root: ";
        if (openPage_)
            return "chunk " + std::to_string(chunkNumber_) + ", record " + std::to_string(recordNumber_ + 1) + ": ";
        return "chunk " + std::to_string(chunkNumber_ + 1) + ": ";
    }

    void refuseTruncated(const SkinItem& item) const
    {
        if (!item.truncated)
            return;
        std::string text = "chunk " + std::to_string(chunkNumber_);
        if (std::holds_alternative<ElementRecord>(item.value))
            text += ", record " + std::to_string(recordNumber_);
        throw SkinFormatError(text + ": the file ends inside its fields");
    }

    // A page ends where the walk left its records: where the next chunk starts, or where the
    // walk ended.
    void finishPage(SkinFile& file, std::size_t end)
    {
        if (!openPage_)
            return;
        Chunk& page = file.chunks[*openPage_];
        page.length = lengthIfWrong(pageLength_, pageStart_, end);
        openPage_.reset();
    }

    // Declared before the reader: reading the root may already name the place of a fault.
    bool rootRead_ = false;
    int chunkNumber_ = 0;
    int recordNumber_ = 0;
    std::optional<std::size_t> openPage_;
    SkinReader reader_;
    std::size_t pageStart_ = 0;
    std::uint32_t pageLength_ = 0;
};

} // namespace

SkinFile skin::readSkinFile(std::span<const std::uint8_t> config)
{
    return TreeBuilder(config).build();
}

} // namespace windlecroft

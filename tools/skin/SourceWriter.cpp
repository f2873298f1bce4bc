#include "skin/SourceWriter.h"

#include "base/ActionCode.h"
#include "skin/ActionSyntax.h"
#include "skin/KeyNames.h"
#include "skin/KindNames.h"
#include "skin/LiveNames.h"
#include "skin/ActionContext.h"
#include "skin/TomlText.h"

#include <sstream>

namespace windlecroft::skin {

namespace {

// The fields of one inline table, written on one line: { kind = "button", rect = [...] }.
class InlineTable {
public:
    InlineTable& add(std::string_view key, const std::string& value)
    {
        text_ += text_.empty() ? "{ " : ", ";
        text_ += std::string(key) + " = " + value;
        return *this;
    }
    std::string str() const { return text_.empty() ? "{}" : text_ + " }"; }

private:
    std::string text_;
};

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

// A value by its name where the table has one, otherwise as the number.
template <std::size_t N>
std::string named(std::uint8_t value, const std::array<std::string_view, N>& names)
{
    return value < N ? tomlQuote(names[value]) : number(value);
}

// A byte that the source may write by one of two names.
std::string namedByte(std::uint8_t value, std::string_view zero, std::string_view one)
{
    return value == 0 ? tomlQuote(zero) : value == 1 ? tomlQuote(one) : number(value);
}

std::string flag(std::uint8_t value)
{
    return value == 0 ? "false" : value == 1 ? "true" : number(value);
}

class Writer {
public:
    Writer(const SkinFile& skin, std::ostream& out) : skin_(skin), out_(out), context_(skin) {}

    void root();
    void entries(const ArchiveContents& archive, const std::vector<std::string>& files);
    void chunks();

private:
    void field(std::string_view key, const std::string& value) { out_ << key << " = " << value << '\n'; }
    void length(const std::optional<std::uint32_t>& value);
    void chunk(const Chunk& chunk);
    void list(std::string_view key, const std::vector<std::string>& lines);
    std::string record(const ElementRecord& record) const;
    std::string action(const Action& value) const { return actionSource(value, context_); }

    const SkinFile& skin_;
    std::ostream& out_;
    ActionContext context_;
};

void Writer::root()
{
    out_ << "# Skin source written by windlecroft-skin dump; windlecroft-skin build turns it back into the skin.\n";
    field("title", tomlSkinText(skin_.title));
    field("width", number(skin_.width));
    field("height", number(skin_.height));
    length(skin_.length);
    if (!skin_.trailing.empty())
        field("trailing", tomlHexBytes(skin_.trailing));
}

void Writer::length(const std::optional<std::uint32_t>& value)
{
    if (value)
        field("length", number(*value));
}

void Writer::entries(const ArchiveContents& archive, const std::vector<std::string>& files)
{
    for (std::size_t i = 0; i < archive.files().size(); ++i) {
        out_ << "\n[[entry]]\n";
        field("name", tomlSkinText(archive.files()[i].name));
        field("file", tomlQuote(files[i]));
    }
}

void Writer::list(std::string_view key, const std::vector<std::string>& lines)
{
    if (lines.empty()) {
        field(key, "[]");
        return;
    }
    out_ << key << " = [\n";
    for (const std::string& line : lines)
        out_ << "  " << line << ",\n";
    out_ << "]\n";
}

void Writer::chunks()
{
    for (std::size_t i = 0; i < skin_.chunks.size(); ++i) {
        out_ << "\n[[chunk]] # " << i + 1 << '\n';
        chunk(skin_.chunks[i]);
    }
}

void Writer::chunk(const Chunk& chunk)
{
    field("kind", tomlQuote(chunkKindName(chunk)));
    if (const auto* c = std::get_if<TracklistChunk>(&chunk.body)) {
        if (c->type > 1)
            field("type", number(c->type));
        std::vector<std::string> tracks;
        for (const TrackItem& track : c->tracks)
            tracks.push_back(InlineTable().add("name", tomlSkinText(track.name)).add("file", tomlSkinText(track.file)).str());
        list("tracks", tracks);
    } else if (const auto* c = std::get_if<TrayMenuChunk>(&chunk.body)) {
        field("tip", tomlSkinText(c->tip));
        std::vector<std::string> items;
        for (const TrayItem& item : c->items)
            items.push_back(InlineTable().add("text", tomlSkinText(item.text)).add("action", action(item.action)).str());
        list("items", items);
    } else if (const auto* c = std::get_if<FontFileChunk>(&chunk.body)) {
        field("file", tomlSkinText(c->file));
    } else if (const auto* c = std::get_if<FontChunk>(&chunk.body)) {
        field("name", tomlSkinText(c->name));
        field("face", tomlSkinText(c->face));
        field("weight", number(c->weight));
        field("height", number(c->height));
        if (c->values != std::array<std::uint32_t, 4>{})
            field("values", "[" + number(c->values[0]) + ", " + number(c->values[1]) + ", " + number(c->values[2]) + ", " +
                                number(c->values[3]) + "]");
    } else if (const auto* c = std::get_if<StartSceneChunk>(&chunk.body)) {
        field("scene", tomlSkinText(c->scene));
    } else if (const auto* c = std::get_if<TimingChunk>(&chunk.body)) {
        field("cross-fade", number(c->crossFade));
        field("music-fade", number(c->musicFade));
        field("highlight", number(c->highlight));
    } else if (const auto* c = std::get_if<PageChunk>(&chunk.body)) {
        field("name", tomlSkinText(c->name));
        field("normal", tomlSkinText(c->normalImage));
        if (!c->pressedImage.empty())
            field("pressed", tomlSkinText(c->pressedImage));
        if (!c->highlightImage.empty())
            field("highlight", tomlSkinText(c->highlightImage));
        if (!c->reserved.empty())
            field("reserved", tomlSkinText(c->reserved));
        field("cross-fade", flag(c->crossFade));
        std::vector<std::string> records;
        for (const ElementRecord& r : c->records)
            records.push_back(record(r));
        list("records", records);
    } else if (const auto* c = std::get_if<StringMappingChunk>(&chunk.body)) {
        bool inOrder = true;
        for (std::size_t i = 0; i < c->entries.size(); ++i)
            inOrder = inOrder && c->entries[i].index == i;
        std::vector<std::string> lines;
        for (const MappingEntry& entry : c->entries) {
            lines.push_back(inOrder ? tomlSkinText(entry.text)
                                    : InlineTable().add("text", tomlSkinText(entry.text)).add("index", number(entry.index)).str());
        }
        list(inOrder ? "strings" : "entries", lines);
    } else if (const auto* c = std::get_if<PluginChunk>(&chunk.body)) {
        field("name", tomlSkinText(c->name));
        field("file", tomlSkinText(c->file));
    } else if (const auto* c = std::get_if<RawChunk>(&chunk.body)) {
        field("id", tomlHex16(c->id));
        field("hex", tomlHexBytes(c->payload));
    }
    length(chunk.length);
}

std::string Writer::record(const ElementRecord& record) const
{
    InlineTable t;
    t.add("kind", tomlQuote(recordKindName(record)));
    if (const auto* r = std::get_if<ButtonRecord>(&record.body)) {
        t.add("rect", tomlRect(r->rect)).add("action", action(r->action));
    } else if (const auto* r = std::get_if<KeyBindingRecord>(&record.body)) {
        const std::optional<std::string> key = keyNameByCode(r->key);
        t.add("key", key ? tomlQuote(*key) : number(r->key)).add("action", action(r->action));
    } else if (const auto* r = std::get_if<IndicatorRecord>(&record.body)) {
        t.add("state", tomlSkinText(r->state)).add("rect", tomlRect(r->rect));
    } else if (const auto* r = std::get_if<ActionListRecord>(&record.body)) {
        t.add("action", action(r->action));
    } else if (const auto* r = std::get_if<TextListRecord>(&record.body)) {
        t.add("rect", tomlRect(r->rect))
            .add("mode", namedByte(r->mode, "single-click", "double-click"))
            .add("font", tomlSkinText(r->font))
            .add("row-height", number(r->rowHeight));
    } else if (const auto* r = std::get_if<SliderRecord>(&record.body)) {
        t.add("rect", tomlRect(r->rect))
            .add("orientation", namedByte(r->orientation, "horizontal", "vertical"))
            .add("release-only", flag(r->releaseOnly))
            .add("knob", tomlSkinText(r->knob));
        const std::optional<std::string_view> id = sliderName(r->id);
        t.add("id", id ? tomlQuote(*id) : tomlHex16(r->id));
    } else if (const auto* r = std::get_if<TextViewerRecord>(&record.body)) {
        t.add("rect", tomlRect(r->rect)).add("font", tomlSkinText(r->font)).add("row-height", number(r->rowHeight));
    } else if (const auto* r = std::get_if<TextBlockRecord>(&record.body)) {
        t.add("title", tomlSkinText(r->title)).add("file", tomlSkinText(r->file));
    } else if (const auto* r = std::get_if<PageTimerRecord>(&record.body)) {
        t.add("delay", number(r->delay)).add("action", action(r->action));
    } else if (const auto* r = std::get_if<PagePluginRecord>(&record.body)) {
        t.add("plugin", tomlSkinText(r->plugin)).add("mode", number(r->mode));
    } else if (const auto* r = std::get_if<WheelZoneRecord>(&record.body)) {
        t.add("rect", tomlRect(r->rect)).add("up", action(r->up)).add("down", action(r->down));
    } else if (const auto* r = std::get_if<ListStyleRecord>(&record.body)) {
        t.add("target", named(r->target, listTargetNames))
            .add("text", tomlQuote(colourText(r->text)))
            .add("selected", tomlQuote(colourText(r->selected)))
            .add("playing", tomlQuote(colourText(r->playing)))
            .add("hover", tomlQuote(colourText(r->hover)))
            .add("bar", r->bar == ListStyleRecord::noBar ? tomlQuote("none") : tomlQuote(colourText(r->bar)));
    } else if (const auto* r = std::get_if<LiveSliderRecord>(&record.body)) {
        const std::optional<std::string_view> id = sliderName(r->sliderId);
        t.add("slider", id ? tomlQuote(*id) : tomlHex16(r->sliderId)).add("source", named(r->source, liveSourceNames));
    } else if (const auto* r = std::get_if<LiveTextRecord>(&record.body)) {
        t.add("rect", tomlRect(r->rect))
            .add("font", tomlSkinText(r->font))
            .add("colour", r->colour <= 0xFFFFFF ? tomlQuote(colourText(r->colour)) : number(r->colour))
            .add("align", named(r->align, alignNames))
            .add("shows", named(r->what, liveTextNames));
    } else if (const auto* r = std::get_if<LivePluginRecord>(&record.body)) {
        t.add("plugin", tomlSkinText(r->plugin)).add("rect", tomlRect(r->rect)).add("while-playing", flag(r->flags));
    } else if (const auto* r = std::get_if<RawRecord>(&record.body)) {
        t.add("id", tomlHex16(r->id)).add("hex", tomlHexBytes(r->payload));
    }
    if (record.length)
        t.add("length", number(*record.length));
    return t.str();
}

} // namespace

std::string writeSource(const SkinFile& skin, const ArchiveContents& archive, const std::vector<std::string>& entryFiles)
{
    std::ostringstream out;
    Writer writer(skin, out);
    writer.root();
    writer.entries(archive, entryFiles);
    writer.chunks();
    return out.str();
}

} // namespace windlecroft::skin

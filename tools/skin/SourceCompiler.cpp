#include "skin/SourceCompiler.h"

#include "skin/ActionContext.h"
#include "skin/ActionSyntax.h"
#include "skin/ArchiveEntryCompiler.h"
#include "skin/KindNames.h"
#include "skin/RecordCompiler.h"
#include "skin/SourceError.h"
#include "skin/SourceKeys.h"
#include "skin/TomlFields.h"

namespace windlecroft::skin {

namespace {

std::vector<TrackItem> tracks(TomlFields& fields)
{
    std::vector<TrackItem> result;
    for (const toml::table* table : fields.tables("tracks")) {
        TomlFields track(*table, "track", SourceKeys::track());
        track.rejectUnknownKeys();
        TrackItem entry;
        entry.name = track.text("name");
        entry.file = track.text("file", "");
        track.finish();
        result.push_back(std::move(entry));
    }
    return result;
}

StringMappingChunk stringMapping(TomlFields& fields)
{
    StringMappingChunk chunk;
    if (fields.has("strings") == fields.has("entries"))
        throw SourceError(fields.line(), "a string-mapping chunk needs either strings = [...] or entries = [...]");
    if (const toml::node* strings = fields.take("strings")) {
        const auto* array = strings->as_array();
        if (array == nullptr)
            throw SourceError(lineOf(*strings), "strings must be an array of texts");
        for (const toml::node& element : *array) {
            if (chunk.entries.size() > 0xFFFF)
                throw SourceError(lineOf(element), "a string mapping holds at most 65536 texts");
            chunk.entries.push_back({textOf(element, "string"), static_cast<std::uint16_t>(chunk.entries.size())});
        }
        return chunk;
    }
    for (const toml::table* table : fields.tables("entries")) {
        TomlFields entry(*table, "string-mapping entry", SourceKeys::mappingEntry());
        entry.rejectUnknownKeys();
        MappingEntry mapping;
        mapping.text = entry.text("text");
        mapping.index = entry.number<std::uint16_t>("index");
        entry.finish();
        chunk.entries.push_back(std::move(mapping));
    }
    return chunk;
}

// How messages name a chunk or record that did not compile: its kind and, when it has one, its name.
std::string tableLabel(const toml::table& table)
{
    std::string label(table["kind"].value_or(std::string_view{}));
    if (const std::optional<std::string_view> name = table["name"].value<std::string_view>())
        label += " \"" + std::string(*name) + "\"";
    return label;
}

class Compiler {
public:
    Compiler(AssetReader& assets, Diagnostics& diagnostics) : assets_(assets), diagnostics_(diagnostics) {}

    CompiledSkin compile(std::string_view text);

private:
    void compileRoot(const toml::table& root);
    void compileEntries(TomlFields& root);
    void compileChunks(const std::vector<const toml::table*>& chunks);
    Chunk::Body compileBody(const std::string& kind, TomlFields& fields, int chunkNumber);
    PageChunk compilePage(TomlFields& fields, int chunkNumber);
    ActionContext actionContext(const std::vector<const toml::table*>& chunks);
    void report(const SourceError& error, Location where);

    AssetReader& assets_;
    Diagnostics& diagnostics_;
    ActionContext context_;
    CompiledSkin result_;
};

void Compiler::report(const SourceError& error, Location where)
{
    if (error.line() > 0)
        where.line = error.line();
    diagnostics_.error(std::move(where), error.what());
}

CompiledSkin Compiler::compile(std::string_view text)
{
    toml::table root;
    try {
        root = toml::parse(text, std::string_view(sourceFileName));
    } catch (const toml::parse_error& error) {
        Location where;
        where.line = static_cast<int>(error.source().begin.line);
        diagnostics_.error(where, std::string(error.description()));
        return std::move(result_);
    }
    compileRoot(root);
    return std::move(result_);
}

void Compiler::compileRoot(const toml::table& root)
{
    TomlFields fields(root, "the skin", SourceKeys::root());
    std::vector<const toml::table*> chunks;
    // Each step reports its own fault, so that one bad field does not hide the others.
    const auto attempt = [this](auto&& step) {
        try {
            step();
        } catch (const SourceError& error) {
            report(error, {});
        }
    };
    SkinFile& config = result_.config;
    attempt([&] { config.title = fields.text("title", ""); });
    attempt([&] { config.width = fields.number<std::uint16_t>("width"); });
    attempt([&] { config.height = fields.number<std::uint16_t>("height"); });
    attempt([&] { config.length = fields.length(); });
    attempt([&] { config.trailing = fields.hex("trailing"); });
    attempt([&] { chunks = fields.tables("chunk"); });
    attempt([&] { compileEntries(fields); });
    for (const SourceError& error : fields.unknownKeys())
        report(error, {});
    context_ = actionContext(chunks);
    compileChunks(chunks);
}

void Compiler::compileEntries(TomlFields& root)
{
    const std::vector<const toml::table*> entries = root.tables("entry");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const toml::table& table = *entries[i];
        result_.lines.entries.push_back(lineOf(table));
        try {
            ArchiveFile file = compileArchiveEntry(table, assets_);
            result_.archive.add(std::move(file.name), std::move(file.data));
        } catch (const SourceError& error) {
            Location where;
            where.entry = static_cast<int>(i + 1);
            where.entryName = std::string(table["name"].value_or(std::string_view{}));
            report(error, where);
            // The entry stays, empty, so that names referring to it still resolve.
            std::string name;
            try {
                if (const toml::node* node = table.get("name"))
                    name = textOf(*node, "name");
            } catch (const SourceError&) {
                // A name that does not convert was reported with the entry.
            }
            result_.brokenEntries.insert(name);
            result_.archive.add(name, {});
        }
    }
}

ActionContext Compiler::actionContext(const std::vector<const toml::table*>& chunks)
{
    // Actions anywhere in the file resolve against the last string-mapping chunk and the whole
    // playlist, so those are compiled first; their faults are reported when their turn comes.
    StringTable strings;
    std::vector<std::string> playlist;
    bool complete = true;
    for (const toml::table* chunk : chunks) {
        const std::string_view kind = (*chunk)["kind"].value_or(std::string_view{});
        const bool isPlaylist = kind == "playlist" || (kind == "tracklist" && (*chunk)["type"].value_or(-1) == 1);
        const std::optional<std::span<const std::string_view>> keys = SourceKeys::chunk(kind);
        if (!keys)
            continue;
        try {
            TomlFields fields(*chunk, "chunk", *keys);
            if (kind == "string-mapping")
                strings = StringTable(stringMapping(fields));
            else if (isPlaylist)
                for (const TrackItem& track : tracks(fields))
                    playlist.push_back(track.name);
        } catch (const SourceError&) {
            complete = complete && kind != "string-mapping" && !isPlaylist;
        }
    }
    return ActionContext(std::move(strings), std::move(playlist), complete);
}

void Compiler::compileChunks(const std::vector<const toml::table*>& chunks)
{
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        result_.lines.chunks.push_back(lineOf(*chunks[i]));
        result_.lines.records.emplace_back();
        Chunk chunk;
        try {
            const std::string kind = kindOf(*chunks[i], "chunk");
            const std::optional<std::span<const std::string_view>> keys = SourceKeys::chunk(kind);
            if (!keys)
                throw SourceError(lineOf(*chunks[i]), unknownName("chunk kind", kind, SourceKeys::chunkKinds()));
            TomlFields typed(*chunks[i], kind + " chunk", *keys);
            typed.rejectUnknownKeys();
            typed.take("kind");
            chunk.body = compileBody(kind, typed, number);
            chunk.length = typed.length();
            typed.finish();
        } catch (const SourceError& error) {
            Location where;
            where.chunk = number;
            where.chunkLabel = tableLabel(*chunks[i]);
            report(error, where);
            const std::string_view kind = (*chunks[i])["kind"].value_or(std::string_view{});
            const bool isPlaylist = kind == "tracklist" && (*chunks[i])["type"].value_or(-1) == 1;
            result_.brokenChunkKinds.insert(std::string(isPlaylist ? "playlist" : kind));
            chunk = Chunk{RawChunk{}, std::nullopt};
        }
        result_.config.chunks.push_back(std::move(chunk));
    }
}

Chunk::Body Compiler::compileBody(const std::string& kind, TomlFields& fields, int chunkNumber)
{
    if (kind == "named-tracks" || kind == "playlist" || kind == "tracklist") {
        TracklistChunk c;
        c.type = kind == "named-tracks" ? 0 : kind == "playlist" ? 1 : fields.number<std::uint8_t>("type");
        c.tracks = tracks(fields);
        return c;
    }
    if (kind == "tray-menu") {
        TrayMenuChunk c;
        c.tip = fields.text("tip", "");
        for (const toml::table* table : fields.tables("items")) {
            TomlFields item(*table, "tray menu item", SourceKeys::trayItem());
            item.rejectUnknownKeys();
            TrayItem entry;
            entry.text = item.text("text");
            entry.action = compileAction(item.require("action"), context_);
            item.finish();
            c.items.push_back(std::move(entry));
        }
        return c;
    }
    if (kind == "font-file")
        return FontFileChunk{fields.text("file")};
    if (kind == "font") {
        FontChunk c;
        c.name = fields.text("name");
        c.face = fields.text("face");
        c.weight = fields.number<std::uint16_t>("weight", 400);
        c.height = fields.number<std::uint8_t>("height");
        if (const toml::node* values = fields.take("values")) {
            const auto* array = values->as_array();
            if (array == nullptr || array->size() != 4)
                throw SourceError(lineOf(*values), "values must be an array of four numbers");
            for (std::size_t i = 0; i < 4; ++i)
                c.values[i] = static_cast<std::uint32_t>(integerOf(*array->get(i), 0, 0xFFFFFFFF, "values"));
        }
        return c;
    }
    if (kind == "start-scene")
        return StartSceneChunk{fields.text("scene")};
    if (kind == "timing") {
        TimingChunk c;
        c.crossFade = fields.number<std::uint16_t>("cross-fade", 0);
        c.musicFade = fields.number<std::uint16_t>("music-fade", 0);
        c.highlight = fields.number<std::uint16_t>("highlight", 0);
        return c;
    }
    if (kind == "page")
        return compilePage(fields, chunkNumber);
    if (kind == "string-mapping")
        return stringMapping(fields);
    if (kind == "plugin") {
        PluginChunk c;
        c.name = fields.text("name");
        c.file = fields.text("file");
        return c;
    }
    if (kind == "raw") {
        const auto id = fields.number<std::uint16_t>("id");
        return RawChunk{id, fields.hex("hex")};
    }
    // Not reached while SourceKeys knows the same kinds as this function.
    throw SourceError(fields.line(), "unknown chunk kind \"" + kind + "\"");
}

PageChunk Compiler::compilePage(TomlFields& fields, int chunkNumber)
{
    PageChunk page;
    page.name = fields.text("name");
    page.normalImage = fields.text("normal", "");
    page.pressedImage = fields.text("pressed", "");
    page.highlightImage = fields.text("highlight", "");
    page.reserved = fields.text("reserved", "");
    page.crossFade = fields.flag("cross-fade", 0);
    const std::vector<const toml::table*> records = fields.tables("records");
    Location where;
    where.chunk = chunkNumber;
    where.chunkLabel = chunkLabel(Chunk{page, std::nullopt});
    for (std::size_t i = 0; i < records.size(); ++i) {
        where.record = static_cast<int>(i + 1);
        result_.lines.records.back().push_back(lineOf(*records[i]));
        try {
            page.records.push_back(compileRecord(*records[i], context_));
        } catch (const SourceError& error) {
            where.recordLabel = tableLabel(*records[i]);
            report(error, where);
            page.records.push_back(ElementRecord{RawRecord{}, std::nullopt});
        }
    }
    return page;
}

} // namespace

CompiledSkin compileSource(std::string_view text, AssetReader& assets, Diagnostics& diagnostics)
{
    return Compiler(assets, diagnostics).compile(text);
}

} // namespace windlecroft::skin

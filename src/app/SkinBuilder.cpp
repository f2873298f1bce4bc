#include "app/SkinBuilder.h"

#include "app/Skin.h"
#include "base/ActionCode.h"
#include "base/Error.h"
#include "base/RegularFile.h"
#include "plugins/PluginContext.h"
#include "resources/PictureLimits.h"
#include "skin/ChunkIds.h"
#include "skin/SkinReader.h"

#include <cstdio>
#include <string>

namespace windlecroft {

using namespace skin;

namespace {

const std::string corrupted = "config file corrupted, ";

template <typename... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
// Spelled out for compilers that do not deduce an aggregate's arguments yet.
template <typename... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

std::string hex16(std::uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

const Font& findFont(const Skin& skin, const std::string& name)
{
    const Font* font = skin.fonts().find(name);
    if (!font)
        throw Error(corrupted + "can't find font named " + name);
    return *font;
}

} // namespace

// A folder, FIFO or device of that name, or a file beyond any real configuration's size, is no
// configuration the player can open.
std::vector<std::uint8_t> readConfigFile(const std::filesystem::path& path)
{
    std::optional<std::vector<std::uint8_t>> bytes = readRegularFile(path, maxConfigBytes);
    if (!bytes) {
        std::error_code ignored;
        const std::filesystem::path folder = std::filesystem::absolute(path, ignored).lexically_normal().parent_path();
        throw Error("can't open config file", "no readable " + path.filename().string() + " in " + folder.string()
                                                  + " (start the player as: windlecroft SKIN_DIR)");
    }
    return std::move(*bytes);
}

SkinBuilder::SkinBuilder(Skin& skin, SkinBuildContext context) : skin_(skin), context_(context) {}

void SkinBuilder::openArchive(const std::filesystem::path& path)
{
    skin_.archive_.open(path);
}

void SkinBuilder::openArchive(std::vector<std::uint8_t> bytes)
{
    skin_.archive_.openBytes(std::move(bytes));
}

ImageLoadContext SkinBuilder::images()
{
    return {skin_.archive_, context_.layered, skin_.windowWidth_, context_.diagnostics, &skin_.pictureBudget_};
}

void SkinBuilder::takeRoot(const SkinRoot& root)
{
    if (static_cast<std::int64_t>(root.width) * root.height > maxWindowPixels)
        throw Error(corrupted + "window of " + std::to_string(root.width) + " x " + std::to_string(root.height)
                    + " pixels is too large");
    skin_.windowTitle_ = root.title;
    skin_.windowWidth_ = root.width;
    skin_.windowHeight_ = root.height;
}

void SkinBuilder::readRoot(std::span<const std::uint8_t> config)
{
    takeRoot(SkinReader(config).root());
}

void SkinBuilder::build(std::span<const std::uint8_t> config)
{
    SkinReader reader(config);
    takeRoot(reader.root());
    page_ = nullptr;
    while (std::optional<SkinItem> item = reader.next()) {
        if (const auto* chunk = std::get_if<Chunk>(&item->value))
            apply(*chunk);
        else
            apply(std::get<ElementRecord>(item->value));
    }
}

void SkinBuilder::addPage(const PageChunk& chunk)
{
    page_ = &skin_.pages_.add(chunk.name, std::make_unique<Page>(context_.pages, chunk.normalImage, chunk.pressedImage,
                                                                 chunk.highlightImage, chunk.crossFade != 0, images()));
    for (const ElementRecord& record : chunk.records)
        apply(record);
}

void SkinBuilder::apply(const Chunk& chunk)
{
    page_ = nullptr;
    std::visit(
        Overloaded{
            // Type 0 fills the named tracks (archive entries played on the side channel); type 1
            // adds to the playlist (disk files), a line to the text list of every page defined
            // so far, and the names the plugins see. The type is checked at the first entry.
            [&](const TracklistChunk& c) {
                std::vector<std::string> names;
                for (const TrackItem& item : c.tracks) {
                    if (c.type == 0) {
                        skin_.namedTracks_.add(item.name, std::make_unique<TrackEntry>(item.file, true));
                    } else if (c.type == 1) {
                        skin_.playlist_.addTrack(item.file, item.name);
                        for (const auto& [pageName, page] : skin_.pages_)
                            page->addTextListLine(item.name);
                        names.push_back(item.name);
                    } else {
                        throw Error(corrupted + "unknown tracklist type");
                    }
                }
                if (c.type == 1)
                    context_.plugins.setTrackNames(names);
            },
            // Several chunks add to one menu; the last tip read wins.
            [&](const TrayMenuChunk& c) {
                skin_.trayMenu_.setTip(c.tip);
                for (const TrayItem& item : c.items)
                    skin_.trayMenu_.addItem(item.text, item.action.code, item.action.arg);
            },
            [&](const FontFileChunk& c) {
                if (skin_.installedFonts_.size() >= maxSkinFontFiles)
                    throw Error(corrupted + "too many font files");
                skin_.installedFonts_.install(skin_.fontCatalog_, skin_.archive_, c.file);
            },
            [&](const FontChunk& c) {
                if (skin_.fonts_.size() >= maxSkinFonts)
                    throw Error(corrupted + "too many fonts");
                skin_.fonts_.add(c.name, std::make_unique<Font>(skin_.fontCatalog_, c.face, c.height, c.weight,
                                                                c.values[0], c.values[1], c.values[2], c.values[3]));
            },
            [&](const StartSceneChunk& c) { skin_.startScene_ = c.scene; },
            // A field of 0 leaves its value unchanged, so a timing chunk never sets a duration to 0.
            [&](const TimingChunk& c) {
                SkinTiming& timing = skin_.timing_;
                for (const auto& [read, value] : {std::pair{c.crossFade, &timing.crossFadeTime},
                                                  std::pair{c.musicFade, &timing.musicFadeTime},
                                                  std::pair{c.highlight, &timing.highlightStep}}) {
                    if (read != 0)
                        *value = read;
                }
            },
            [&](const PageChunk& c) { addPage(c); },
            [&](const StringMappingChunk& c) {
                skin_.stringMapping_.create(static_cast<std::uint16_t>(c.entries.size()));
                for (const MappingEntry& entry : c.entries)
                    skin_.stringMapping_.set(entry.index, entry.text);
            },
            // The plugin is loaded at once; the scenes start it later.
            [&](const PluginChunk& c) {
                skin_.plugins_.add(c.name, Plugin::load(c.file, context_.pluginSearch));
            },
            [](const RawChunk&) {},
        },
        chunk.body);
}

void SkinBuilder::apply(const ElementRecord& record)
{
    if (!page_)
        return;
    Page& page = *page_;
    std::visit(
        Overloaded{
            [&](const ButtonRecord& r) { page.addButton(r.rect, r.action.code, r.action.arg); },
            [&](const KeyBindingRecord& r) { page.addKeyBinding(r.key, r.action.code, r.action.arg); },
            [&](const IndicatorRecord& r) { page.addIndicator(r.rect, r.state); },
            [&](const ActionListRecord& r) {
                switch (r.id) {
                case record::backgroundAction: page.addBackgroundAction(r.action); break;
                case record::rightClickAction: page.addRightClickAction(r.action); break;
                case record::enterAction: page.addEnterAction(r.action); break;
                default: page.addLeaveAction(r.action); break;
                }
            },
            [&](const TextListRecord& r) {
                // The font is looked up before the mode is checked.
                const Font& font = findFont(skin_, r.font);
                if (r.mode > 1)
                    throw Error(corrupted + "unknown playlist mode");
                // Mode 0 is the single-click list, mode 1 the one only a double click activates.
                page.setTextList(r.mode == 0 ? 1 : 0, r.rect, &font, r.rowHeight);
            },
            [&](const SliderRecord& r) {
                if (r.releaseOnly > 1 || r.orientation > 1)
                    throw Error(corrupted + "unknown slider orientation or type");
                page.addSlider(static_cast<Slider::Orientation>(r.orientation), r.releaseOnly == 1, r.rect, r.knob,
                               r.id, images());
            },
            [&](const TextViewerRecord& r) { page.setTextViewer(r.rect, &findFont(skin_, r.font), r.rowHeight); },
            // Every document's text counts, a document named twice twice over.
            [&](const TextBlockRecord& r) {
                if (!documentBudget_.spend(page.addViewerDocument(r.file, r.title, skin_.archive_)))
                    throw Error(corrupted + "documents too large");
            },
            // Without translucent windows the intro has no fade, so a timed switch waits a second longer.
            [&](const PageTimerRecord& r) {
                std::uint64_t delay = r.delay;
                if (!context_.layered && r.action.code == number(ActionCode::SwitchPage))
                    delay += 1000;
                page.addTimer(delay, r.action.code, r.action.arg);
            },
            [&](const PagePluginRecord& r) {
                Plugin* plugin = skin_.plugins_.find(r.plugin);
                if (!plugin)
                    throw Error(corrupted + "can't find plugin named " + r.plugin);
                if (r.mode > 1)
                    throw Error(corrupted + "unknown plugin mode");
                page.addPlugin(r.mode, *plugin);
            },
            [&](const WheelZoneRecord& r) { page.addWheelZone(r.rect, r.up, r.down); },
            // The live skins' records: older players skip them by their length.
            [&](const ListStyleRecord& r) {
                if (r.target > 1)
                    throw Error(corrupted + "unknown list style target");
                page.setListStyle(r.target, {r.text, r.selected, r.playing, r.hover, r.bar});
            },
            [&](const LiveSliderRecord& r) {
                if (r.source >= liveSourceCount)
                    throw Error(corrupted + "unknown live slider source");
                if (!page.makeSliderLive(r.sliderId, static_cast<LiveSource>(r.source)))
                    throw Error(corrupted + "can't find slider " + hex16(r.sliderId));
            },
            [&](const LiveTextRecord& r) {
                const Font& font = findFont(skin_, r.font);
                if (r.align >= textAlignCount)
                    throw Error(corrupted + "unknown live text alignment");
                if (r.what >= liveTextKindCount)
                    throw Error(corrupted + "unknown live text kind");
                page.addLiveText(r.rect, font, r.colour, static_cast<TextAlign>(r.align), static_cast<LiveTextKind>(r.what));
            },
            [&](const LivePluginRecord& r) {
                Plugin* plugin = skin_.plugins_.find(r.plugin);
                if (!plugin)
                    throw Error(corrupted + "can't find plugin named " + r.plugin);
                page.addLivePlugin(*plugin, r.rect, (r.flags & 1) != 0);
            },
            [](const RawRecord&) {},
        },
        record.body);
}

} // namespace windlecroft

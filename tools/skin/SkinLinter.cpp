#include "skin/SkinLinter.h"

#include "resources/FileKind.h"
#include "base/TextEncoding.h"
#include "base/ActionCode.h"
#include "skin/ArchivePictures.h"
#include "skin/KindNames.h"
#include "app/TrackScenes.h"
#include "app/TrayMenu.h"
#include "elements/Indicator.h"
#include "elements/LiveKinds.h"
#include "resources/Font.h"
#include "resources/WhiteningMask.h"
#include "skin/SkinWriter.h"
#include "skin/TomlText.h"
#include "skin/ActionContext.h"
#include "skin/ElfExports.h"
#include "skin/FolderFiles.h"
#include "plugins/PluginLocations.h"

#include <array>
#include <map>
#include <set>

namespace windlecroft::skin {

namespace {


std::string inQuotes(std::string_view name)
{
    return "\"" + decodeWindows1250(name) + "\"";
}

bool isMusic(std::string_view name)
{
    const FileKind kind = classifyFileName(name);
    return kind == FileKind::Module || kind == FileKind::Stream;
}

class Linter {
public:
    Linter(const LintInput& input, Diagnostics& diagnostics)
        : in_(input), out_(diagnostics), context_(input.skin), pictures_(input.archive)
    {
    }

    void run();

private:
    void survey();
    void lintContainer();
    void lintChunk(const Chunk& chunk);
    void lintTracklist(const TracklistChunk& chunk);
    void lintPage(const PageChunk& page);
    // What the records of the page before the one being checked have made.
    struct PageSoFar {
        bool viewer = false;
        bool textList = false;
        std::set<std::uint16_t> sliders;
    };
    void lintRecord(const ElementRecord& record, PageSoFar& page);
    void lintLiveRecord(const ElementRecord::Body& body, const PageSoFar& page);
    void lintPluginName(const std::string& name);
    void lintAction(const Action& action);
    void lintPicture(const std::string& name, const char* role);
    void lintFont(const std::string& name);
    void lintWhitening(const std::string& name, const std::string& what);
    void lintKnob(const SliderRecord& slider);
    void lintArchiveEntry(const std::string& name, const std::string& what);
    void lintPluginFile(const PluginChunk& plugin);
    void lintEnd();

    Location here() const;
    void error(std::string message) { out_.error(here(), std::move(message)); }
    void warning(std::string message) { out_.warning(here(), std::move(message)); }
    bool broken(const std::string& name) const { return in_.brokenEntries && in_.brokenEntries->contains(name); }
    // A chunk of this kind did not compile, so what it defines may be missing for that reason alone.
    bool lost(std::string_view kind) const { return in_.brokenChunkKinds && in_.brokenChunkKinds->contains(std::string(kind)); }

    const LintInput& in_;
    Diagnostics& out_;
    ActionContext context_;
    ArchivePictures pictures_;

    // Over the whole file: where each name is defined first.
    std::map<std::string, int> allFonts_;
    std::map<std::string, int> allPlugins_;
    std::map<std::string, int> allPages_;
    std::set<std::string> namedTracks_;
    // Up to the chunk being checked.
    std::set<std::string> fonts_;
    std::set<std::string> plugins_;
    std::set<std::string> pages_;
    int firstPlaylist_ = 0;
    std::size_t playlistLength_ = 0;
    std::optional<std::string> startScene_;

    int chunk_ = 0;
    std::string chunkLabel_;
    int record_ = 0;
    std::string recordLabel_;
};

Location Linter::here() const
{
    Location where;
    where.chunk = chunk_;
    where.chunkLabel = chunkLabel_;
    where.record = record_;
    where.recordLabel = recordLabel_;
    if (in_.lines != nullptr && chunk_ > 0) {
        const auto c = static_cast<std::size_t>(chunk_ - 1);
        if (record_ > 0 && c < in_.lines->records.size() && static_cast<std::size_t>(record_ - 1) < in_.lines->records[c].size())
            where.line = in_.lines->records[c][static_cast<std::size_t>(record_ - 1)];
        else if (c < in_.lines->chunks.size())
            where.line = in_.lines->chunks[c];
    }
    return where;
}

void Linter::run()
{
    survey();
    lintContainer();
    for (std::size_t i = 0; i < in_.skin.chunks.size(); ++i) {
        chunk_ = static_cast<int>(i + 1);
        chunkLabel_ = chunkLabel(in_.skin.chunks[i]);
        lintChunk(in_.skin.chunks[i]);
    }
    chunk_ = 0;
    chunkLabel_.clear();
    lintEnd();
}

void Linter::survey()
{
    for (std::size_t i = 0; i < in_.skin.chunks.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const Chunk::Body& body = in_.skin.chunks[i].body;
        if (const auto* font = std::get_if<FontChunk>(&body))
            allFonts_.emplace(font->name, number);
        else if (const auto* plugin = std::get_if<PluginChunk>(&body))
            allPlugins_.emplace(plugin->name, number);
        else if (const auto* page = std::get_if<PageChunk>(&body))
            allPages_.emplace(page->name, number);
        else if (const auto* tracks = std::get_if<TracklistChunk>(&body); tracks && tracks->type == 0) {
            for (const TrackItem& track : tracks->tracks)
                namedTracks_.insert(track.name);
        }
    }
}

void Linter::lintContainer()
{
    const SkinFile& skin = in_.skin;
    if (skin.width == 0 || skin.height == 0)
        warning("the window is " + std::to_string(skin.width) + " x " + std::to_string(skin.height) + " pixels");
    if (skin.length) {
        const std::uint32_t trueLength = trueRootLength(skin);
        if (*skin.length > trueLength)
            error("the root chunk's length is " + std::to_string(*skin.length) + " but its chunks end at " +
                  std::to_string(trueLength) + ": the player stops with a corrupt file");
        else
            warning("the root chunk's length is " + std::to_string(*skin.length) + ", its true size " +
                    std::to_string(trueLength));
    }
    if (const std::optional<std::size_t> tail = in_.archive.corruptTail())
        out_.error({}, "the archive ends in bytes from offset " + std::to_string(*tail) + " that form no whole entry");
}

void Linter::lintChunk(const Chunk& chunk)
{
    if (chunk.length)
        warning("the length field is " + std::to_string(*chunk.length) + ", the true size " + std::to_string(trueLength(chunk)));
    const Chunk::Body& body = chunk.body;
    if (const auto* c = std::get_if<TracklistChunk>(&body)) {
        lintTracklist(*c);
    } else if (const auto* c = std::get_if<TrayMenuChunk>(&body)) {
        if (c->tip.size() > maxTipLength)
            warning("the tip is longer than 63 characters and is cut");
        for (const TrayItem& item : c->items)
            lintAction(item.action);
    } else if (const auto* c = std::get_if<FontFileChunk>(&body)) {
        lintArchiveEntry(c->file, "font file");
    } else if (const auto* c = std::get_if<FontChunk>(&body)) {
        if (c->face.size() > Font::maxFaceLength)
            warning("the face name is longer than 31 characters and is cut");
        fonts_.insert(c->name);
    } else if (const auto* c = std::get_if<StartSceneChunk>(&body)) {
        startScene_ = c->scene;
    } else if (const auto* c = std::get_if<PageChunk>(&body)) {
        lintPage(*c);
    } else if (const auto* c = std::get_if<StringMappingChunk>(&body)) {
        for (const MappingEntry& entry : c->entries) {
            if (entry.index >= c->entries.size())
                error("entry " + inQuotes(entry.text) + " has index " + std::to_string(entry.index) + ", outside the table of " +
                      std::to_string(c->entries.size()) + ": the player stops loading");
        }
    } else if (const auto* c = std::get_if<PluginChunk>(&body)) {
        plugins_.insert(c->name);
        lintPluginFile(*c);
    }
}

void Linter::lintTracklist(const TracklistChunk& chunk)
{
    if (chunk.type > 1) {
        if (!chunk.tracks.empty())
            error("tracklist type " + std::to_string(chunk.type) + " is neither named tracks (0) nor a playlist (1): the player stops loading");
        return;
    }
    for (const TrackItem& track : chunk.tracks) {
        const std::string label = "track " + inQuotes(track.name) + ": ";
        if (chunk.type == 0) {
            lintArchiveEntry(track.file, "named track " + inQuotes(track.name));
            if (!isMusic(track.file))
                warning(label + inQuotes(track.file) + " is none of .xm, .it, .mp3, .ogg, .opus, .flac and .wav, so it never plays");
            continue;
        }
        if (track.file.empty())
            continue; // a placeholder the player skips
        if (!isMusic(track.file))
            warning(label + inQuotes(track.file) + " is none of .xm, .it, .mp3, .ogg, .opus, .flac and .wav, so it never plays");
        if (!findPlaylistFile(in_.musicFolder, track.file))
            warning(label + "the music file " + inQuotes(track.file) + " is not there");
    }
    if (chunk.type == 1) {
        if (firstPlaylist_ == 0)
            firstPlaylist_ = chunk_;
        playlistLength_ += chunk.tracks.size();
        if (playlistLength_ > TrackScenes::count)
            warning("the playlist has " + std::to_string(playlistLength_) + " entries; titles and page switches cover only the first 17");
    }
}

void Linter::lintPage(const PageChunk& page)
{
    if (pages_.contains(page.name))
        warning("a page named " + inQuotes(page.name) + " was defined before, in chunk " +
                std::to_string(allPages_.at(page.name)) + "; this one hides it");
    pages_.insert(page.name);

    if (page.normalImage.empty()) {
        if (!page.pressedImage.empty() || !page.highlightImage.empty())
            warning("without a normal picture the page shows none of its pictures");
    } else {
        lintPicture(page.normalImage, "normal picture");
        if (!page.pressedImage.empty())
            lintPicture(page.pressedImage, "pressed picture");
        if (!page.highlightImage.empty())
            lintPicture(page.highlightImage, "highlight picture");
    }

    PageSoFar soFar;
    for (std::size_t i = 0; i < page.records.size(); ++i) {
        record_ = static_cast<int>(i + 1);
        recordLabel_ = recordLabel(page.records[i]);
        lintRecord(page.records[i], soFar);
    }
    record_ = 0;
    recordLabel_.clear();
    if (soFar.textList && firstPlaylist_ > 0)
        warning("the page comes after the playlist (chunk " + std::to_string(firstPlaylist_) +
                "), so its text list gets no track names: put the playlist after the pages");
}

void Linter::lintRecord(const ElementRecord& record, PageSoFar& page)
{
    if (record.length)
        warning("the length field is " + std::to_string(*record.length) + ", the true size " + std::to_string(trueLength(record)));
    const ElementRecord::Body& body = record.body;
    if (const auto* r = std::get_if<ButtonRecord>(&body)) {
        lintAction(r->action);
    } else if (const auto* r = std::get_if<KeyBindingRecord>(&body)) {
        lintAction(r->action);
    } else if (const auto* r = std::get_if<IndicatorRecord>(&body)) {
        if (!indicator::isKnownState(r->state))
            warning("state " + inQuotes(r->state) + " is not one the player switches (musiclooped, musicrandom, modulelooped), so it never lights");
    } else if (const auto* r = std::get_if<ActionListRecord>(&body)) {
        lintAction(r->action);
    } else if (const auto* r = std::get_if<TextListRecord>(&body)) {
        page.textList = true;
        lintFont(r->font);
        if (r->mode > 1)
            error("mode " + std::to_string(r->mode) + " is neither single-click (0) nor double-click (1): the player stops loading");
        if (r->rowHeight == 0)
            warning("the row height is 0, so the list shows no rows");
    } else if (const auto* r = std::get_if<SliderRecord>(&body)) {
        if (r->releaseOnly > 1 || r->orientation > 1)
            error("release-only and orientation must each be 0 or 1: the player stops loading");
        page.sliders.insert(r->id);
        lintKnob(*r);
    } else if (const auto* r = std::get_if<TextViewerRecord>(&body)) {
        lintFont(r->font);
        page.viewer = true;
        if (r->rowHeight == 0)
            warning("the row height is 0, so the viewer shows no rows");
    } else if (const auto* r = std::get_if<TextBlockRecord>(&body)) {
        lintArchiveEntry(r->file, "document");
        if (!page.viewer)
            warning("no text viewer stands before this document on the page, so the player drops it");
    } else if (const auto* r = std::get_if<PageTimerRecord>(&body)) {
        lintAction(r->action);
    } else if (const auto* r = std::get_if<PagePluginRecord>(&body)) {
        lintPluginName(r->plugin);
        if (r->mode > 1)
            error("plugin mode " + std::to_string(r->mode) + " is neither 0 nor 1: the player stops loading");
    } else if (const auto* r = std::get_if<WheelZoneRecord>(&body)) {
        lintAction(r->up);
        lintAction(r->down);
    } else {
        lintLiveRecord(body, page);
    }
}

void Linter::lintLiveRecord(const ElementRecord::Body& body, const PageSoFar& page)
{
    const std::string stops = ": the player stops loading";
    if (const auto* r = std::get_if<ListStyleRecord>(&body)) {
        if (r->target > 1)
            error("target " + std::to_string(r->target) + " is neither the text list (0) nor the text viewer (1)" + stops);
        // The list or viewer may stand anywhere on the page, so only its absence is told.
        else if (!(r->target == 0 ? page.textList : page.viewer))
            warning(std::string("no text ") + (r->target == 0 ? "list" : "viewer") +
                    " stands before this style on the page, so it colours nothing unless one follows");
    } else if (const auto* r = std::get_if<LiveSliderRecord>(&body)) {
        if (r->source >= liveSourceCount)
            error("source " + std::to_string(r->source) + " is none the player knows (0 to " +
                  std::to_string(liveSourceCount - 1) + ")" + stops);
        if (!page.sliders.contains(r->sliderId))
            error("no slider before it on the page has the id " + tomlHex16(r->sliderId) + stops);
    } else if (const auto* r = std::get_if<LiveTextRecord>(&body)) {
        lintFont(r->font);
        if (r->align >= textAlignCount)
            error("alignment " + std::to_string(r->align) + " is none of left (0), centre (1) and right (2)" + stops);
        if (r->what >= liveTextKindCount)
            error("what it shows, " + std::to_string(r->what) + ", is none the player knows (0 to " +
                  std::to_string(liveTextKindCount - 1) + ")" + stops);
    } else if (const auto* r = std::get_if<LivePluginRecord>(&body)) {
        lintPluginName(r->plugin);
        if (r->rect.right <= r->rect.left || r->rect.bottom <= r->rect.top)
            warning("the rectangle holds no pixel, so the plugin is never drawn");
    }
}

void Linter::lintPluginName(const std::string& name)
{
    if (plugins_.contains(name) || lost("plugin"))
        return;
    auto later = allPlugins_.find(name);
    error(later == allPlugins_.end() ? "no plugin is named " + inQuotes(name)
                                     : "plugin " + inQuotes(name) + " is defined only later, in chunk " +
                                           std::to_string(later->second) + "; define it before the page");
}

void Linter::lintFont(const std::string& name)
{
    if (fonts_.contains(name) || lost("font"))
        return;
    auto later = allFonts_.find(name);
    error(later == allFonts_.end() ? "no font is named " + inQuotes(name)
                                   : "font " + inQuotes(name) + " is defined only later, in chunk " + std::to_string(later->second) +
                                         "; define it before the page");
}

void Linter::lintArchiveEntry(const std::string& name, const std::string& what)
{
    if (!in_.archive.contains(name))
        error("the archive has no entry " + inQuotes(name) + " for the " + what);
}

void Linter::lintPluginFile(const PluginChunk& plugin)
{
    if (in_.pluginFolder.empty())
        return;
    const std::string file = inQuotes(plugin.file);
    const std::string cannotLoad = ": the player stops with \"can't load plugin " + decodeWindows1250(plugin.file) + "\"";
    const std::vector<std::string> names = pluginFileNames(plugin.file);
    if (names.empty()) {
        error("the plugin file " + file + " is no plain file name" + cannotLoad);
        return;
    }
    // The player's order: each name in the skin folder, then in its own plugin folder.
    for (const std::string& name : names) {
        for (const bool ownFolder : {false, true}) {
            const std::filesystem::path& folder = ownFolder ? in_.programPluginFolder : in_.pluginFolder;
            if (folder.empty())
                continue;
            const std::filesystem::path path = folder / folderPath(name, in_.sourceNames && !ownFolder);
            std::error_code ignored;
            if (!std::filesystem::is_regular_file(path, ignored))
                continue;
            const std::string found = inQuotes(name) + (ownFolder ? " (in the program's plugin folder)" : "");
            switch (findElfExport(path, "PluginCreateProc")) {
            case ElfExport::Exported:
                break;
            case ElfExport::Missing:
                error("the plugin file " + found + " exports no PluginCreateProc: the player stops with \"can't find "
                      "PluginCreateProc in " + decodeWindows1250(plugin.file) + "\"");
                break;
            case ElfExport::NotALibrary:
                error("the plugin file " + found + " is no shared library for this machine" + cannotLoad);
                break;
            case ElfExport::Unknown:
                warning("the plugin file " + found + " has no section table, so its PluginCreateProc cannot be looked for");
                break;
            case ElfExport::Unreadable:
                error("can't read the plugin file " + found);
                break;
            }
            return;
        }
    }
    error("no plugin file " + file + (names.size() > 1 ? " (nor " + inQuotes(names[1]) + ")" : std::string()) +
          " is in the folder or the program's plugin folder" + cannotLoad);
}

void Linter::lintWhitening(const std::string& name, const std::string& what)
{
    const std::string_view mask = whiteningMaskFor(name);
    if (classifyFileName(name) == FileKind::Jpeg && !mask.empty() && !in_.archive.contains(mask))
        error("the " + what + " " + inQuotes(name) + " is whitened through " + inQuotes(mask) +
              " where the window can be translucent, and the archive has no such entry");
}

void Linter::lintKnob(const SliderRecord& slider)
{
    const FileKind kind = classifyFileName(slider.knob);
    if (kind != FileKind::Bmp && kind != FileKind::Jpeg) {
        warning("the knob " + inQuotes(slider.knob) + " ends in neither .bmp nor .jpg, so the knob has no size");
        return;
    }
    lintWhitening(slider.knob, "knob picture");
    const std::optional<ArchivePictures::Result> knob = pictures_.inspect(slider.knob);
    if (!knob) {
        lintArchiveEntry(slider.knob, "knob picture");
    } else if (!knob->decoded) {
        if (!broken(slider.knob))
            error("can't decode the knob picture " + inQuotes(slider.knob) + ": " + knob->reason);
    } else {
        // The knob's size bounds the travel: a knob as long as the track leaves none.
        const bool vertical = slider.orientation == 1;
        const int track = vertical ? slider.rect.height() : slider.rect.width();
        const int size = vertical ? knob->height : knob->width;
        if (size >= track)
            warning("the knob (" + std::to_string(size) + " pixels) is not smaller than the track (" + std::to_string(track) +
                    " pixels), so the slider cannot move");
    }
}

void Linter::lintPicture(const std::string& name, const char* role)
{
    const FileKind kind = classifyFileName(name);
    if (kind != FileKind::Bmp && kind != FileKind::Jpeg) {
        warning("the " + std::string(role) + " " + inQuotes(name) + " ends in neither .bmp nor .jpg, so nothing is loaded from it");
        return;
    }
    lintWhitening(name, role);
    const std::optional<ArchivePictures::Result> picture = pictures_.inspect(name);
    if (!picture) {
        lintArchiveEntry(name, role);
        return;
    }
    if (!picture->decoded) {
        if (!broken(name))
            error("can't decode the " + std::string(role) + " " + inQuotes(name) + ": " + picture->reason);
        return;
    }
    if ((picture->width != in_.skin.width || picture->height != in_.skin.height))
        warning("the " + std::string(role) + " " + inQuotes(name) + " is " + std::to_string(picture->width) + " x " +
                std::to_string(picture->height) + ", the window " + std::to_string(in_.skin.width) + " x " +
                std::to_string(in_.skin.height));
}

void Linter::lintAction(const Action& action)
{
    const ActionInfo* known = findAction(action.code);
    if (known == nullptr)
        return;
    const std::string what = std::string(known->name) + " " + std::to_string(action.arg);
    if ((action.code == number(ActionCode::SetMainVolume) || action.code == number(ActionCode::SetSideVolume)) && action.arg > 100)
        warning(what + " is above the volume's 100");
    if (known->argument == ArgumentKind::Position && action.arg >= context_.playlistSize() && !lost("playlist"))
        warning(what + ": the playlist has " + std::to_string(context_.playlistSize()) + " entries, so it plays nothing");
    if (known->argument != ArgumentKind::PageName && known->argument != ArgumentKind::TrackName)
        return;
    const StringTable& strings = context_.strings();
    if (!strings.present()) {
        if (lost("string-mapping"))
            return;
        error(what + ": the skin has no string-mapping chunk, so this action stops the player");
        return;
    }
    const std::string* text = strings.at(action.arg);
    if (text == nullptr) {
        error(what + ": string-mapping index " + std::to_string(action.arg) + " is outside the table of " +
              std::to_string(strings.size()) + ", so this action stops the player");
        return;
    }
    if (known->argument == ArgumentKind::PageName && *text != scene::end && !allPages_.contains(*text) && !lost("page"))
        warning(what + " switches to " + inQuotes(*text) + ", and no page has that name");
    if (known->argument == ArgumentKind::TrackName && !namedTracks_.contains(*text) && !lost("named-tracks"))
        warning(what + " plays " + inQuotes(*text) + ", and no named track has that name");
}

void Linter::lintEnd()
{
    if (!in_.archive.contains(mask::panel))
        out_.error({}, "the archive has no " + inQuotes(mask::panel) + ", the mask the player shapes its window with");
    const std::size_t windowPixels = std::size_t{in_.skin.width} * in_.skin.height;
    for (const std::string_view mask : {mask::panel, mask::intro, mask::outro}) {
        if (const ArchiveFile* file = in_.archive.find(mask); file && !broken(std::string(mask)) && file->data.size() != windowPixels)
            out_.warning({}, "the mask " + inQuotes(mask) + " holds " + std::to_string(file->data.size()) + " bytes, the window " +
                                 std::to_string(in_.skin.width) + " x " + std::to_string(in_.skin.height) + " needs " +
                                 std::to_string(windowPixels));
    }
    if (playlistLength_ > 0) {
        std::set<std::string> needed;
        for (std::size_t i = 0; i < std::min(playlistLength_, TrackScenes::count); ++i)
            needed.insert(std::string(TrackScenes::sceneFor(i)));
        for (const std::string_view scene : {"dzien", "wieczor", "noc"}) {
            if (needed.contains(std::string(scene)) && !allPages_.contains(std::string(scene)) && !lost("page"))
                out_.warning({}, "the playlist switches pages by track, and no page is named " + inQuotes(scene));
        }
        if (!allFonts_.contains(std::string(titleFontName)) && !lost("font"))
            out_.warning({}, "no font is named \"font\", so track titles are not drawn");
    }
    if (!allPages_.empty() && !lost("start-scene") && !lost("page")) {
        if (!startScene_)
            out_.warning({}, "no start-scene chunk names the first page, so the player shows none");
        else if (!allPages_.contains(*startScene_))
            out_.warning({}, "the start scene " + inQuotes(*startScene_) + " names no page");
    }
}

} // namespace

void lintSkin(const LintInput& input, Diagnostics& diagnostics)
{
    Linter(input, diagnostics).run();
}

} // namespace windlecroft::skin

#pragma once

#include "base/Action.h"
#include "base/Rect.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace windlecroft::skin {

// The records of windlecroft.cfg as plain values: every top-level chunk and every element
// record of a page, field by field in file order. Numbers a file leaves out (it ends inside
// them) are 0, as the player reads them.

struct ButtonRecord {
    Rect rect;
    Action action;
};

struct KeyBindingRecord {
    std::uint8_t key = 0;
    Action action;
};

struct IndicatorRecord {
    std::string state;
    Rect rect;
};

/** Background, right-click, enter and leave actions share one layout; the record id tells the list. */
struct ActionListRecord {
    std::uint16_t id = 0;
    Action action;
};

struct TextListRecord {
    Rect rect;
    std::uint8_t mode = 0;
    std::string font;
    std::uint8_t rowHeight = 0;
};

struct SliderRecord {
    Rect rect;
    std::uint8_t releaseOnly = 0;
    std::uint8_t orientation = 0;
    std::string knob;
    std::uint16_t id = 0;
};

struct TextViewerRecord {
    Rect rect;
    std::string font;
    std::uint8_t rowHeight = 0;
};

struct TextBlockRecord {
    std::string title;
    std::string file;
};

struct PageTimerRecord {
    std::uint32_t delay = 0;
    Action action;
};

struct PagePluginRecord {
    std::string plugin;
    std::uint8_t mode = 0;
};

struct WheelZoneRecord {
    Rect rect;
    Action up;
    Action down;
};

// Colours are 0x00BBGGRR, as the title colour.

/** How the page's text list (target 0) or text viewer (target 1) is drawn. */
struct ListStyleRecord {
    std::uint8_t target = 0;
    std::uint32_t text = 0;
    std::uint32_t selected = 0;
    std::uint32_t playing = 0;
    std::uint32_t hover = 0;
    /** The filled bar under the selected row; noBar for none. */
    std::uint32_t bar = 0;
    static constexpr std::uint32_t noBar = 0xFFFFFFFF;
};

/** A slider of the page that draws its knob, following a source of the player unless 0. */
struct LiveSliderRecord {
    std::uint16_t sliderId = 0;
    std::uint8_t source = 0;
};

/** A text of the player's state drawn in a rectangle with one of the skin's fonts. */
struct LiveTextRecord {
    Rect rect;
    std::string font;
    std::uint32_t colour = 0;
    std::uint8_t align = 0;
    std::uint8_t what = 0;
};

/** A plugin drawn on every frame of the page into its rectangle. */
struct LivePluginRecord {
    std::string plugin;
    Rect rect;
    std::uint8_t flags = 0;
};

/** A record of a kind the player does not know: kept as its id and payload bytes. */
struct RawRecord {
    std::uint16_t id = 0;
    std::vector<std::uint8_t> payload;
};

/**
 * One element record inside a page chunk. `length` holds the length field only when it differs
 * from the record's true size, so that a file with a wrong length is written back unchanged.
 */
struct ElementRecord {
    using Body = std::variant<ButtonRecord, KeyBindingRecord, IndicatorRecord, ActionListRecord, TextListRecord,
                              SliderRecord, TextViewerRecord, TextBlockRecord, PageTimerRecord, PagePluginRecord,
                              WheelZoneRecord, ListStyleRecord, LiveSliderRecord, LiveTextRecord, LivePluginRecord,
                              RawRecord>;
    Body body;
    std::optional<std::uint32_t> length;

    /** The record id written in the header. */
    std::uint16_t id() const;
};

/** One entry of a tracklist: its name in the skin and the file (on disk, or an archive entry). */
struct TrackItem {
    std::string name;
    std::string file;
};

/** Type 0 holds named tracks (archive entries), type 1 the playlist (files on disk). */
struct TracklistChunk {
    std::uint8_t type = 0;
    std::vector<TrackItem> tracks;
};

struct TrayItem {
    std::string text;
    Action action;
};

struct TrayMenuChunk {
    std::string tip;
    std::vector<TrayItem> items;
};

struct FontFileChunk {
    std::string file;
};

/** Note the order in the file: the weight (two bytes) comes before the height (one byte). */
struct FontChunk {
    std::string name;
    std::string face;
    std::uint16_t weight = 0;
    std::uint8_t height = 0;
    std::array<std::uint32_t, 4> values{};
};

struct StartSceneChunk {
    std::string scene;
};

/** Durations in milliseconds and the highlight step; 0 leaves the player's value unchanged. */
struct TimingChunk {
    std::uint16_t crossFade = 0;
    std::uint16_t musicFade = 0;
    std::uint16_t highlight = 0;
};

/**
 * A page: its header fields, then its element records. The streaming reader hands the header
 * on its own (records empty) and each record after it; a whole file read as a tree holds them.
 */
struct PageChunk {
    std::string name;
    std::string normalImage;
    std::string pressedImage;
    std::string highlightImage;
    std::string reserved;
    std::uint8_t crossFade = 0;
    std::vector<ElementRecord> records;
};

struct MappingEntry {
    std::string text;
    std::uint16_t index = 0;
};

/** The table size equals the number of entries; entries may come in any index order. */
struct StringMappingChunk {
    std::vector<MappingEntry> entries;
};

struct PluginChunk {
    std::string name;
    std::string file;
};

/** A top-level chunk of a kind the player does not know: kept as its id and payload bytes. */
struct RawChunk {
    std::uint16_t id = 0;
    std::vector<std::uint8_t> payload;
};

/**
 * One top-level chunk of the configuration. `length` holds the length field only when it
 * differs from the chunk's true size.
 */
struct Chunk {
    using Body = std::variant<TracklistChunk, TrayMenuChunk, FontFileChunk, FontChunk, StartSceneChunk, TimingChunk,
                              PageChunk, StringMappingChunk, PluginChunk, RawChunk>;
    Body body;
    std::optional<std::uint32_t> length;

    /** The chunk id written in the header. */
    std::uint16_t id() const;
};

/** The root chunk's own fields: the window's title and size. */
struct SkinRoot {
    std::string title;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

/**
 * A whole configuration file as a tree: the root's fields, the top-level chunks in file order,
 * and the bytes after the root chunk that the player never reads. Writing the tree gives back
 * the bytes it was read from.
 */
struct SkinFile {
    std::string title;
    std::uint16_t width = 640;
    std::uint16_t height = 480;
    std::vector<Chunk> chunks;
    /** The root's length field when it differs from the root's true size. */
    std::optional<std::uint32_t> length;
    std::vector<std::uint8_t> trailing;
};

} // namespace windlecroft::skin

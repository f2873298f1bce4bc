#pragma once

#include "base/Rect.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::demo {

/** An action as skin.toml writes it: a name, and an optional numeric or named argument. */
struct ActionSource {
    std::string name;
    std::optional<std::int64_t> number;
    std::string text;
};

/** One element record of a page, with the fields the pictures need. */
struct ElementSource {
    std::string kind; // "button", "indicator", "text-list", "slider", "text-viewer", "document", "wheel", ...
    std::optional<Rect> rect;
    ActionSource action;
    ActionSource up;
    ActionSource down;
    std::string state;       // indicators
    int rowHeight = 0;       // text list, text viewer
    std::string orientation; // sliders
    std::string knob;        // sliders: the archive entry of the knob picture
    std::string id;          // sliders: the id by name ("seek", "main-volume", ...)
    std::string font;        // text list, text viewer, live text
    std::string title;       // documents
    std::string file;        // documents: the archive entry of the text
};

struct PageSource {
    std::string name;
    std::vector<ElementSource> elements;

    /** The elements of one kind, in file order. */
    std::vector<const ElementSource*> all(const std::string& kind) const;
};

/** An archive entry with what the generator may need of it: the picture file it is made from, or its text. */
struct EntrySource {
    std::string name;
    std::string picture; // relative to the source folder; empty for other entries
    std::string text;    // UTF-8; empty for other entries
};

/** A font chunk: DejaVu Sans at a cell height and weight, as the generator can draw it. */
struct FontSource {
    std::string name;
    std::string face;
    int height = 0;
    int weight = 400;
};

struct TrackSource {
    std::string name; // UTF-8
    std::string file;
};

/**
 * What the pictures and the music are made from, read from the skin's source: the window size,
 * the pages with their element records, and the playlist. Everything is taken where skin.toml
 * puts it, so the pictures cannot drift from the skin.
 */
struct SkinLayout {
    int width = 0;
    int height = 0;
    std::vector<EntrySource> entries;
    std::vector<FontSource> fonts;
    std::vector<PageSource> pages;
    std::vector<TrackSource> playlist; // in file order

    /** Reads skin.toml; throws std::runtime_error naming what is missing or malformed. */
    static SkinLayout read(const std::filesystem::path& skinToml);

    /** The page of that name; throws when there is none. */
    const PageSource& page(const std::string& name) const;
    /** The entry of that name; throws when there is none. */
    const EntrySource& entry(const std::string& name) const;
    /** The font of that name; throws when there is none. */
    const FontSource& font(const std::string& name) const;
    /** The playlist by the player's positions: the entry read last is position 0. */
    std::vector<TrackSource> playlistByPosition() const;
};

} // namespace windlecroft::demo

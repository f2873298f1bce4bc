#pragma once

#include "config/ByteReader.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace windlecroft {

/** Writes the primitives of the skin format (little-endian, zero-terminated strings). */
class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void rect(const Rect& value);
    void string(std::string_view text);
    void raw(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }

    /** Writes a chunk header with a placeholder length; returns where the chunk starts. */
    std::size_t beginChunk(std::uint16_t id);
    /** Sets the length of the chunk that starts at start to its true size. */
    void endChunk(std::size_t start);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

/**
 * Builds a skin configuration file chunk by chunk, with every length true. Chunks may nest
 * (element records inside a page): begin and end them in pairs.
 */
class SkinConfigWriter {
public:
    SkinConfigWriter(std::string_view title, std::uint16_t width, std::uint16_t height);

    ByteWriter& out() { return out_; }
    void begin(std::uint16_t id) { open_.push_back(out_.beginChunk(id)); }
    void end();

    void startScene(std::string_view name);
    void timing(std::uint16_t crossFade, std::uint16_t musicFade, std::uint16_t highlight);
    /** A string-mapping chunk with a table of count entries and the given (text, index) pairs. */
    void stringMapping(std::uint16_t count, const std::vector<std::pair<std::string, std::uint16_t>>& entries);
    struct TrayEntry {
        std::string text;
        std::uint16_t code;
        std::uint16_t arg;
    };
    void trayMenu(std::string_view tip, const std::vector<TrayEntry>& entries);
    void plugin(std::string_view name, std::string_view file);
    struct TrackItem {
        std::string name;
        std::string file;
    };
    /** A tracklist chunk: type 0 named tracks, 1 the playlist (any other type for corrupt files). */
    void tracklist(std::uint8_t type, const std::vector<TrackItem>& entries);
    /** A tracklist chunk whose count field says count, whatever the entries given. */
    void tracklist(std::uint8_t type, std::uint16_t count, const std::vector<TrackItem>& entries);
    void fontFile(std::string_view file);
    /** A font chunk: note the weight (u16) before the height (u8). */
    void font(std::string_view name, std::string_view face, std::uint16_t weight, std::uint8_t height,
              std::uint32_t value1 = 0, std::uint32_t value2 = 0, std::uint32_t value3 = 0, std::uint32_t value4 = 0);
    // A page chunk and its element records: beginPage, any records, endPage.
    void beginPage(std::string_view name, std::string_view normalImage, std::string_view pressedImage = {},
                   std::string_view highlightImage = {}, bool crossFade = false);
    void endPage() { end(); }
    void button(const Rect& rect, std::uint16_t code, std::uint16_t arg);
    void keyBinding(std::uint8_t key, std::uint16_t code, std::uint16_t arg);
    void indicator(std::string_view state, const Rect& rect);
    /** Background, right-click, enter and leave actions: the record id says which. */
    void actionRecord(std::uint16_t id, std::uint16_t code, std::uint16_t arg);
    void textList(const Rect& rect, std::uint8_t mode, std::string_view font, std::uint8_t rowHeight);
    void slider(const Rect& rect, std::uint8_t releaseOnly, std::uint8_t orientation, std::string_view knob, std::uint16_t id);
    void textViewer(const Rect& rect, std::string_view font, std::uint8_t rowHeight);
    void textBlock(std::string_view title, std::string_view file);
    void pageTimer(std::uint32_t delay, std::uint16_t code, std::uint16_t arg);
    void pagePlugin(std::string_view plugin, std::uint8_t mode);
    void wheelZone(const Rect& rect, std::uint16_t upCode, std::uint16_t upArg, std::uint16_t downCode, std::uint16_t downArg);

    /** A chunk of any id with the given payload (unknown kinds, or hand-made corrupt ones). */
    void rawChunk(std::uint16_t id, std::span<const std::uint8_t> payload);

    /** Closes the root chunk and returns the file's bytes. */
    std::vector<std::uint8_t> finish();
    void save(const std::filesystem::path& path);

private:
    ByteWriter out_;
    std::vector<std::size_t> open_;
};

/** Builds a resource archive: (name, zero, u32 size, data) for every entry, in order. */
class ArchiveWriter {
public:
    void add(std::string_view name, std::span<const std::uint8_t> data);
    void add(std::string_view name, std::string_view text);

    const std::vector<std::uint8_t>& bytes() const { return out_.bytes(); }
    void save(const std::filesystem::path& path) const;

private:
    ByteWriter out_;
};

/** Writes bytes to a file, replacing it; throws windlecroft::Error when it cannot. */
void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace windlecroft

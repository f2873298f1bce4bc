#pragma once

#include "skin/ArchiveWriter.h"
#include "skin/ByteWriter.h"
#include "skin/SkinFileNames.h"
#include "skin/SkinRecords.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace windlecroft {

/**
 * Builds a configuration file for tests, call by call, as records of the skin model written by
 * the one skin writer. Chunks and records go where the calls put them: between beginPage and
 * endPage a chunk call becomes a record of the page (of an unknown kind), outside a page a
 * record call becomes a top-level chunk. begin(id), out() and end() write a raw chunk (or,
 * inside a page, a raw record) byte by byte, for files that no record could say.
 */
class SkinConfigWriter {
public:
    SkinConfigWriter(std::string_view title, std::uint16_t width, std::uint16_t height);

    /** A raw chunk or record of this id whose payload is whatever out() receives until end(). */
    void begin(std::uint16_t id);
    ByteWriter& out() { return raw_; }
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
    /** A tracklist chunk: type 0 named tracks, 1 the playlist (any other type for corrupt files). */
    void tracklist(std::uint8_t type, const std::vector<skin::TrackItem>& entries);
    /** A tracklist chunk whose count field says count, whatever the entries given. */
    void tracklist(std::uint8_t type, std::uint16_t count, const std::vector<skin::TrackItem>& entries);
    void fontFile(std::string_view file);
    /** A font chunk: note the weight (u16) before the height (u8). */
    void font(std::string_view name, std::string_view face, std::uint16_t weight, std::uint8_t height,
              std::uint32_t value1 = 0, std::uint32_t value2 = 0, std::uint32_t value3 = 0, std::uint32_t value4 = 0);
    // A page chunk and its element records: beginPage, any records, endPage.
    void beginPage(std::string_view name, std::string_view normalImage, std::string_view pressedImage = {},
                   std::string_view highlightImage = {}, bool crossFade = false);
    void endPage();
    void button(const Rect& rect, std::uint16_t code, std::uint16_t arg);
    void keyBinding(std::uint8_t key, std::uint16_t code, std::uint16_t arg);
    void indicator(std::string_view state, const Rect& rect);
    /** Background, right-click, enter and leave actions: the record id says which. */
    void actionRecord(std::uint16_t id, std::uint16_t code, std::uint16_t arg);
    void textList(const Rect& rect, std::uint8_t mode, std::string_view font, std::uint8_t rowHeight);
    void slider(const Rect& rect, std::uint8_t releaseOnly, std::uint8_t orientation, std::string_view knob,
                std::uint16_t id);
    void textViewer(const Rect& rect, std::string_view font, std::uint8_t rowHeight);
    void textBlock(std::string_view title, std::string_view file);
    void pageTimer(std::uint32_t delay, std::uint16_t code, std::uint16_t arg);
    void pagePlugin(std::string_view plugin, std::uint8_t mode);
    void wheelZone(const Rect& rect, std::uint16_t upCode, std::uint16_t upArg, std::uint16_t downCode,
                   std::uint16_t downArg);

    /** Any record of the model, for kinds without a call of their own. */
    void record(skin::ElementRecord::Body body);

    /** A chunk (or, inside a page, a record) of any id with the given payload and, if given, length field. */
    void rawChunk(std::uint16_t id, std::span<const std::uint8_t> payload,
                  std::optional<std::uint32_t> length = std::nullopt);

    /** The true length of the last top-level chunk (a page with its records so far). */
    std::uint32_t chunkLength() const;
    /** Makes the last top-level chunk's length field say length, whatever its size. */
    void setChunkLength(std::uint32_t length) { file_.chunks.back().length = length; }

    /** The records so far as a tree, and the file's bytes. */
    const skin::SkinFile& file() const { return file_; }
    std::vector<std::uint8_t> finish() const;
    void save(const std::filesystem::path& path) const;

private:
    void add(skin::Chunk chunk);
    void add(skin::ElementRecord record);
    skin::PageChunk* openPage();

    skin::SkinFile file_;
    bool pageOpen_ = false;
    std::optional<std::uint16_t> rawId_;
    ByteWriter raw_;
};

} // namespace windlecroft

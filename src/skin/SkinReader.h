#pragma once

#include "skin/ByteReader.h"
#include "skin/SkinRecords.h"

#include <cstdint>
#include <optional>
#include <span>
#include <variant>

namespace windlecroft {

/** One record of the file as the reader hands it on, with where it stands. */
struct SkinItem {
    /** A top-level chunk (a page chunk with its header fields only) or a record of the page before it. */
    std::variant<skin::Chunk, skin::ElementRecord> value;
    /** Offset of its header and the length its header declares. */
    std::size_t start = 0;
    std::uint32_t declaredLength = 0;
    /** True when the file ended inside its fields: those not there are 0 or empty. */
    bool truncated = false;
};

/**
 * Reads windlecroft.cfg record by record in file order, exactly as the player walks it: the
 * root header first, then each top-level chunk and, after a page chunk's header, each of its
 * element records, so that whoever applies them meets the first fault where the player does.
 * The file's own faults are thrown as the player's messages ("config file corrupted, ...").
 * Known chunks and records read their fields whatever their length says; unknown ones are
 * skipped by their length and handed on as raw bytes. Nothing outside the bytes is ever read.
 */
class SkinReader {
public:
    /** Reads the root; throws "config file corrupted, first chunk should be " + the root's id, or "..., unexpected end of file". */
    explicit SkinReader(std::span<const std::uint8_t> config);

    const skin::SkinRoot& root() const { return root_; }
    /** The root's length field: where the walk ends. */
    std::uint32_t rootLength() const { return rootLength_; }

    /** The next chunk or page record; nothing once the walk reaches the root's end. */
    std::optional<SkinItem> next();

    /** Where the walk stands: after the last item handed on. */
    std::size_t position() const { return in_.position(); }
    /** The bytes from position() to the end of the file. */
    std::span<const std::uint8_t> rest() const { return bytes_.subspan(in_.position()); }

private:
    std::optional<SkinItem> nextRecord();
    SkinItem readChunk(std::uint16_t id, std::uint32_t length, std::size_t start);
    SkinItem readRecord(std::uint16_t id, std::uint32_t length, std::size_t start);
    std::vector<std::uint8_t> skipPayload(std::uint32_t length);

    std::span<const std::uint8_t> bytes_;
    ByteReader in_;
    skin::SkinRoot root_;
    std::uint32_t rootLength_ = 0;
    bool inPage_ = false;
    std::uint64_t pageEnd_ = 0;
};

/**
 * The whole file as a tree (the skin tool's view): pages hold their records, lengths that are
 * not true and the bytes after the root are kept so that writing the tree gives the same
 * bytes. Throws SkinFormatError, naming the chunk and record, where the player would fail or
 * where the file ends inside a record's fields.
 */
namespace skin {
SkinFile readSkinFile(std::span<const std::uint8_t> config);
} // namespace skin

} // namespace windlecroft

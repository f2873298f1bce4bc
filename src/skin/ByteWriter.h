#pragma once

#include "base/Rect.h"

#include <cstdint>
#include <span>
#include <string_view>
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
    /** Sets the length field of the chunk that starts at start to its true size. */
    void endChunk(std::size_t start);
    /** Sets the length field of the chunk that starts at start to length. */
    void setLength(std::size_t start, std::uint32_t length);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace windlecroft

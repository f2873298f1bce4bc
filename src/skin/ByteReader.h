#pragma once

#include "base/Rect.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace windlecroft {

/**
 * Reads the primitives of the skin configuration (little-endian integers, zero-terminated
 * strings, rectangles) from a block of bytes. A read at the end of the data never fails and
 * never reads outside it: a string ends there, a number keeps the value it had, and the
 * reader remembers that it ran out.
 */
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    void readU8(std::uint8_t& value);
    void readU16(std::uint16_t& value);
    void readU32(std::uint32_t& value);
    void readRect(Rect& value);
    void readString(std::string& value);

    std::uint8_t u8() { std::uint8_t v = 0; readU8(v); return v; }
    std::uint16_t u16() { std::uint16_t v = 0; readU16(v); return v; }
    std::uint32_t u32() { std::uint32_t v = 0; readU32(v); return v; }
    Rect rect() { Rect r; readRect(r); return r; }
    std::string string() { std::string s; readString(s); return s; }

    /** Moves forward by count bytes, stopping at the end of the data. */
    void skip(std::uint64_t count);

    std::size_t position() const { return position_; }
    std::size_t size() const { return data_.size(); }
    bool atEnd() const { return position_ >= data_.size(); }
    /** True once any read wanted more bytes than were left. */
    bool ranOut() const { return ranOut_; }

private:
    bool take(std::size_t count, const std::uint8_t*& bytes);

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    bool ranOut_ = false;
};

} // namespace windlecroft

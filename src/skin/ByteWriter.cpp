#include "skin/ByteWriter.h"

namespace windlecroft {

void ByteWriter::u16(std::uint16_t value)
{
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::u32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::rect(const Rect& value)
{
    for (std::int32_t field : {value.left, value.top, value.right, value.bottom})
        u32(static_cast<std::uint32_t>(field));
}

void ByteWriter::string(std::string_view text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
}

std::size_t ByteWriter::beginChunk(std::uint16_t id)
{
    const std::size_t start = bytes_.size();
    u16(id);
    u32(0);
    return start;
}

void ByteWriter::endChunk(std::size_t start)
{
    setLength(start, static_cast<std::uint32_t>(bytes_.size() - start));
}

void ByteWriter::setLength(std::size_t start, std::uint32_t length)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes_[start + 2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
}

} // namespace windlecroft

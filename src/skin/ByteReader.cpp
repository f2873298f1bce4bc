#include "skin/ByteReader.h"

namespace windlecroft {

bool ByteReader::take(std::size_t count, const std::uint8_t*& bytes)
{
    if (data_.size() - position_ < count) {
        // A short read consumes what is left, as a stream read at the end of a file does.
        position_ = data_.size();
        ranOut_ = true;
        return false;
    }
    bytes = data_.data() + position_;
    position_ += count;
    return true;
}

void ByteReader::readU8(std::uint8_t& value)
{
    const std::uint8_t* b = nullptr;
    if (take(1, b))
        value = b[0];
}

void ByteReader::readU16(std::uint16_t& value)
{
    const std::uint8_t* b = nullptr;
    if (take(2, b))
        value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

void ByteReader::readU32(std::uint32_t& value)
{
    const std::uint8_t* b = nullptr;
    if (take(4, b))
        value = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8)
            | (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

void ByteReader::readRect(Rect& value)
{
    std::uint32_t fields[4] = {static_cast<std::uint32_t>(value.left), static_cast<std::uint32_t>(value.top),
                               static_cast<std::uint32_t>(value.right), static_cast<std::uint32_t>(value.bottom)};
    for (auto& field : fields)
        readU32(field);
    value.left = static_cast<std::int32_t>(fields[0]);
    value.top = static_cast<std::int32_t>(fields[1]);
    value.right = static_cast<std::int32_t>(fields[2]);
    value.bottom = static_cast<std::int32_t>(fields[3]);
}

void ByteReader::readString(std::string& value)
{
    value.clear();
    while (position_ < data_.size()) {
        char c = static_cast<char>(data_[position_++]);
        if (c == '\0')
            return;
        value.push_back(c);
    }
    ranOut_ = true;
}

void ByteReader::skip(std::uint64_t count)
{
    std::uint64_t left = data_.size() - position_;
    if (count > left) {
        position_ = data_.size();
        ranOut_ = true;
        return;
    }
    position_ += static_cast<std::size_t>(count);
}

} // namespace windlecroft

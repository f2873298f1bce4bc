#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace windlecroft::test {

/**
 * Writes BMP files for tests and benchmarks, field by field, so that a test can also write
 * the odd and broken ones. By default: a 40-byte info header, the colour table right after it
 * and the pixel data right after the table, with the data offset pointing there.
 */
class BmpBuilder {
public:
    BmpBuilder(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel, std::uint32_t compression = 0)
        : width_(width), height_(height), bitsPerPixel_(bitsPerPixel), compression_(compression)
    {
    }

    /** Adds a colour table entry (blue, green, red, reserved). */
    BmpBuilder& colour(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        table_.insert(table_.end(), {blue, green, red, 0});
        return *this;
    }
    BmpBuilder& coloursUsed(std::uint32_t count)
    {
        coloursUsed_ = count;
        return *this;
    }
    BmpBuilder& infoHeaderSize(std::uint32_t size)
    {
        infoHeaderSize_ = size;
        return *this;
    }
    /** Bytes between the colour table and the pixel data. */
    BmpBuilder& gap(std::uint32_t bytes)
    {
        gap_ = bytes;
        return *this;
    }
    /** Stores this value as the data offset instead of the true one. */
    BmpBuilder& dataOffset(std::uint32_t offset)
    {
        dataOffset_ = offset;
        overrideOffset_ = true;
        return *this;
    }
    BmpBuilder& pixels(std::initializer_list<int> bytes)
    {
        for (int b : bytes)
            pixels_.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    BmpBuilder& pixels(const std::vector<std::uint8_t>& bytes)
    {
        pixels_.insert(pixels_.end(), bytes.begin(), bytes.end());
        return *this;
    }

    std::vector<std::uint8_t> build() const
    {
        std::vector<std::uint8_t> out;
        const std::uint32_t tableStart = 14 + infoHeaderSize_;
        const std::uint32_t dataStart = tableStart + static_cast<std::uint32_t>(table_.size()) + gap_;
        out.push_back('B');
        out.push_back('M');
        u32(out, dataStart + static_cast<std::uint32_t>(pixels_.size()));
        u32(out, 0);
        u32(out, overrideOffset_ ? dataOffset_ : dataStart);
        u32(out, infoHeaderSize_);
        u32(out, static_cast<std::uint32_t>(width_));
        u32(out, static_cast<std::uint32_t>(height_));
        u16(out, 1);
        u16(out, bitsPerPixel_);
        u32(out, compression_);
        for (int i = 0; i < 3; ++i)
            u32(out, 0);
        u32(out, coloursUsed_);
        u32(out, 0);
        out.resize(tableStart, 0);
        out.insert(out.end(), table_.begin(), table_.end());
        out.resize(dataStart, 0xEE);
        out.insert(out.end(), pixels_.begin(), pixels_.end());
        return out;
    }

private:
    static void u16(std::vector<std::uint8_t>& out, std::uint16_t v)
    {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    static void u32(std::vector<std::uint8_t>& out, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }

    std::int32_t width_;
    std::int32_t height_;
    std::uint16_t bitsPerPixel_;
    std::uint32_t compression_;
    std::uint32_t coloursUsed_ = 0;
    std::uint32_t infoHeaderSize_ = 40;
    std::uint32_t gap_ = 0;
    std::uint32_t dataOffset_ = 0;
    bool overrideOffset_ = false;
    std::vector<std::uint8_t> table_;
    std::vector<std::uint8_t> pixels_;
};

} // namespace windlecroft::test

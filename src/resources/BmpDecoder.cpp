#include "resources/BmpDecoder.h"

#include "base/Error.h"
#include "resources/PictureLimits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace windlecroft {

namespace {

constexpr std::uint64_t fileHeaderSize = 14;
constexpr std::uint64_t basicInfoHeaderSize = 40;

// Little-endian fields; a field that is not wholly inside the file reads as 0.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint32_t u32(std::uint64_t offset) const
    {
        if (offset + 4 > bytes_.size())
            return 0;
        const std::uint8_t* p = bytes_.data() + offset;
        return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
               static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    std::uint16_t u16(std::uint64_t offset) const
    {
        if (offset + 2 > bytes_.size())
            return 0;
        const std::uint8_t* p = bytes_.data() + offset;
        return static_cast<std::uint16_t>(p[0] | p[1] << 8);
    }
    std::int32_t i32(std::uint64_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

private:
    std::span<const std::uint8_t> bytes_;
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint64_t colourTableStart = 0;
    std::uint64_t colourTableEntries = 0;
    std::uint64_t pixelDataStart = 0;
};

[[noreturn]] void invalidFormat()
{
    throw Error("invalid bmp format");
}

Header readHeader(std::span<const std::uint8_t> file, std::int64_t largestPicture)
{
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        invalidFormat();
    const FieldReader fields(file);
    Header header;
    header.width = fields.i32(18);
    const std::int64_t storedHeight = fields.i32(22);
    header.topDown = storedHeight < 0;
    header.height = header.topDown ? -storedHeight : storedHeight;
    if (header.width < 0 || header.width > maxPictureSide || header.height > maxPictureSide ||
        header.width * header.height > std::min(largestPicture, maxPicturePixels))
        invalidFormat();
    header.bitsPerPixel = fields.u16(28);
    header.compression = fields.u32(30);

    // Larger info headers (108 and 124 bytes) put the colour table further on; a size field
    // that is too small or points outside the file is not trusted.
    const std::uint64_t infoHeaderSize = fields.u32(14);
    header.colourTableStart = fileHeaderSize + basicInfoHeaderSize;
    if (infoHeaderSize >= basicInfoHeaderSize && fileHeaderSize + infoHeaderSize < file.size())
        header.colourTableStart = fileHeaderSize + infoHeaderSize;

    if (header.bitsPerPixel != 24) {
        const std::uint32_t coloursUsed = fields.u32(46);
        header.colourTableEntries = coloursUsed != 0 ? coloursUsed
                                    : header.bitsPerPixel <= 32 ? std::uint64_t{1} << header.bitsPerPixel
                                                               : 0;
    }
    const std::uint64_t colourTableEnd = header.colourTableStart + 4 * header.colourTableEntries;
    const std::uint64_t dataOffset = fields.u32(10);
    header.pixelDataStart = dataOffset < file.size() && dataOffset >= colourTableEnd ? dataOffset : colourTableEnd;
    return header;
}

// Entries the file does not hold, and indices past the table's end, are black.
std::array<std::uint32_t, 256> readColourTable(std::span<const std::uint8_t> file, const Header& header)
{
    std::array<std::uint32_t, 256> table{};
    const std::uint64_t entries = std::min<std::uint64_t>(header.colourTableEntries, table.size());
    for (std::uint64_t i = 0; i < entries; ++i) {
        const std::uint64_t offset = header.colourTableStart + 4 * i;
        if (offset + 4 > file.size())
            break;
        const std::uint8_t* entry = file.data() + offset;
        table[i] = static_cast<std::uint32_t>(entry[2]) << 16 | static_cast<std::uint32_t>(entry[1]) << 8 | entry[0];
    }
    return table;
}

// Stored row r (0 = first in the file) lands on this row of the top-first Surface.
int outputRow(const Header& header, std::int64_t storedRow)
{
    return static_cast<int>(header.topDown ? storedRow : header.height - 1 - storedRow);
}

// The bytes of one stored row that the file actually holds (possibly fewer than asked for).
std::span<const std::uint8_t> storedRow(std::span<const std::uint8_t> data, std::uint64_t offset, std::uint64_t length)
{
    if (offset >= data.size())
        return {};
    return data.subspan(offset, std::min<std::uint64_t>(length, data.size() - offset));
}

void mapIndices(std::span<const std::uint8_t> indices, const std::array<std::uint32_t, 256>& table,
                std::uint32_t* out, std::size_t width)
{
    for (std::size_t x = 0; x < indices.size(); ++x)
        out[x] = table[indices[x]];
    // Missing bytes count as index 0.
    std::fill(out + indices.size(), out + width, table[0]);
}

void decodeUncompressed8(std::span<const std::uint8_t> data, const Header& header,
                         const std::array<std::uint32_t, 256>& table, Surface& out)
{
    const auto width = static_cast<std::uint64_t>(header.width);
    const std::uint64_t stride = (width + 3) & ~std::uint64_t{3};
    for (std::int64_t r = 0; r < header.height; ++r)
        mapIndices(storedRow(data, static_cast<std::uint64_t>(r) * stride, width), table,
                   out.row(outputRow(header, r)), width);
}

void decodeUncompressed24(std::span<const std::uint8_t> data, const Header& header, Surface& out)
{
    const auto width = static_cast<std::uint64_t>(header.width);
    const std::uint64_t stride = (width * 3 + 3) & ~std::uint64_t{3};
    for (std::int64_t r = 0; r < header.height; ++r) {
        const std::span<const std::uint8_t> row = storedRow(data, static_cast<std::uint64_t>(r) * stride, width * 3);
        const std::uint8_t* src = row.data();
        std::uint32_t* dst = out.row(outputRow(header, r));
        // Pixels the file does not hold stay black.
        const std::size_t complete = row.size() / 3;
        for (std::size_t x = 0; x < complete; ++x)
            dst[x] = static_cast<std::uint32_t>(src[3 * x + 2]) << 16 | static_cast<std::uint32_t>(src[3 * x + 1]) << 8 |
                     src[3 * x];
    }
}

// Writes one run of indices into the plane, dropping whatever falls outside it.
void writeRun(std::vector<std::uint8_t>& plane, std::int64_t width, std::int64_t height, std::int64_t x,
              std::int64_t y, std::span<const std::uint8_t> indices)
{
    if (y >= height || x >= width)
        return;
    const auto count = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(indices.size()), width - x));
    std::memcpy(plane.data() + y * width + x, indices.data(), count);
}

// RLE8 into an index plane of width x height bytes, row 0 being the first stored row.
std::vector<std::uint8_t> decodeRle8Plane(std::span<const std::uint8_t> data, std::int64_t width, std::int64_t height)
{
    std::vector<std::uint8_t> plane(static_cast<std::size_t>(width * height), 0);
    std::array<std::uint8_t, 255> repeated;
    const std::size_t size = data.size();
    std::size_t i = 0;
    std::int64_t x = 0;
    std::int64_t y = 0;
    // x and y only grow, so once y has left the plane nothing more can be written.
    while (i + 2 <= size && y < height) {
        const std::uint8_t first = data[i];
        const std::uint8_t second = data[i + 1];
        i += 2;
        if (first > 0) {
            std::fill_n(repeated.begin(), first, second);
            writeRun(plane, width, height, x, y, std::span(repeated).first(first));
            x += first;
        } else if (second == 0) {
            x = 0;
            ++y;
        } else if (second == 1) {
            break;
        } else if (second == 2) {
            if (i + 2 > size)
                break;
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {
            const std::size_t available = std::min<std::size_t>(second, size - i);
            writeRun(plane, width, height, x, y, data.subspan(i, available));
            x += second;
            // Absolute runs are padded to a whole number of 16-bit words.
            i += second + (second & 1u);
        }
    }
    return plane;
}

void decodeRle8(std::span<const std::uint8_t> data, const Header& header, const std::array<std::uint32_t, 256>& table,
                Surface& out)
{
    const std::vector<std::uint8_t> plane = decodeRle8Plane(data, header.width, header.height);
    const auto width = static_cast<std::size_t>(header.width);
    for (std::int64_t r = 0; r < header.height; ++r)
        mapIndices(std::span(plane).subspan(static_cast<std::size_t>(r) * width, width), table,
                   out.row(outputRow(header, r)), width);
}

} // namespace

Surface decodeBmp(std::span<const std::uint8_t> file, std::int64_t largestPicture)
{
    const Header header = readHeader(file, largestPicture);
    Surface out(static_cast<int>(header.width), static_cast<int>(header.height));
    if (out.empty())
        return out;
    const std::span<const std::uint8_t> data =
        header.pixelDataStart < file.size() ? file.subspan(header.pixelDataStart) : std::span<const std::uint8_t>{};

    constexpr std::uint32_t uncompressed = 0;
    constexpr std::uint32_t rle8 = 1;
    if (header.compression == uncompressed && header.bitsPerPixel == 8) {
        decodeUncompressed8(data, header, readColourTable(file, header), out);
    } else if (header.compression == uncompressed && header.bitsPerPixel == 24) {
        decodeUncompressed24(data, header, out);
    } else if (header.compression == rle8) {
        // A 24-bit RLE8 file has no colour table: every index maps to black.
        decodeRle8(data, header, readColourTable(file, header), out);
    }
    // Other bit counts, RLE4 and unknown compressions stay black.
    return out;
}

} // namespace windlecroft

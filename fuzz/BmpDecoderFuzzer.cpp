// BMP decoding of a fuzzed file: either "invalid bmp format" or a picture of the size the
// header states, within the limits the decoder promises.
#include "app/Error.h"
#include "resources/BmpDecoder.h"
#include "resources/PictureLimits.h"

#include <cstdlib>

namespace {

// Pictures the decoder accepts are decoded in one pass, but one of 2^26 pixels still takes a
// good part of a second under the sanitizers. The fuzzer skips accepted sizes above this and
// spends its time on the many small ones; sizes the decoder refuses are always tried.
constexpr std::int64_t largestFuzzedPicture = std::int64_t{1} << 18;

std::int64_t field(const std::uint8_t* data, std::size_t size, std::size_t offset)
{
    if (offset + 4 > size)
        return 0;
    const std::uint32_t value = static_cast<std::uint32_t>(data[offset]) | static_cast<std::uint32_t>(data[offset + 1]) << 8 |
                                static_cast<std::uint32_t>(data[offset + 2]) << 16 |
                                static_cast<std::uint32_t>(data[offset + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

bool slowToDecode(const std::uint8_t* data, std::size_t size)
{
    const std::int64_t width = field(data, size, 18);
    const std::int64_t height = std::llabs(field(data, size, 22));
    const std::int64_t pixels = width * height;
    return width >= 0 && width <= windlecroft::maxPictureSide && height <= windlecroft::maxPictureSide &&
           pixels > largestFuzzedPicture && pixels <= windlecroft::maxPicturePixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (slowToDecode(data, size))
        return 0;
    try {
        const windlecroft::Surface picture = windlecroft::decodeBmp({data, size});
        const std::int64_t pixels = static_cast<std::int64_t>(picture.width()) * picture.height();
        if (picture.width() > windlecroft::maxPictureSide || picture.height() > windlecroft::maxPictureSide ||
            pixels > windlecroft::maxPicturePixels)
            std::abort();
        // Surface pixels keep their top byte clear.
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) > 0x00FFFFFFu)
                    std::abort();
    } catch (const windlecroft::Error&) {
    }
    return 0;
}

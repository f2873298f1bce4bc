// BMP decoding of a fuzzed file: either "invalid bmp format" or a picture of the size the
// header states, within the limit the caller sets.
#include "base/Error.h"
#include "resources/BmpDecoder.h"
#include "resources/PictureLimits.h"

#include <cstdlib>

namespace {

// A picture of 2^26 pixels, the most the decoder ever accepts, takes a good part of a second
// under the sanitizers. The fuzzer sets a lower limit of its own, so that it spends its time on
// many small pictures; larger ones take the same path as those above the decoder's limit.
constexpr std::int64_t largestFuzzedPicture = std::int64_t{1} << 18;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const windlecroft::Surface picture = windlecroft::decodeBmp({data, size}, largestFuzzedPicture);
        const std::int64_t pixels = static_cast<std::int64_t>(picture.width()) * picture.height();
        if (picture.width() > windlecroft::maxPictureSide || picture.height() > windlecroft::maxPictureSide ||
            pixels > largestFuzzedPicture)
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

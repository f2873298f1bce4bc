// JPEG decoding of a fuzzed file through libjpeg: either a reason or a picture within the
// caller's limit whose pixels keep their top byte clear.
#include "resources/JpegDecoder.h"

#include <cstdlib>
#include <string>

namespace {

// As for BMP files: the fuzzer's own lower limit keeps it on many small pictures; larger ones
// take the same path as those above the decoder's limit.
constexpr std::int64_t largestFuzzedPicture = std::int64_t{1} << 18;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string reason;
    const std::optional<windlecroft::Surface> picture
        = windlecroft::decodeJpeg({data, size}, &reason, largestFuzzedPicture);
    if (!picture) {
        if (reason.empty())
            std::abort();
        return 0;
    }
    if (picture->empty() || std::int64_t{picture->width()} * picture->height() > largestFuzzedPicture)
        std::abort();
    for (int y = 0; y < picture->height(); ++y)
        for (int x = 0; x < picture->width(); ++x)
            if (picture->pixel(x, y) > 0x00FFFFFFu)
                std::abort();
    return 0;
}

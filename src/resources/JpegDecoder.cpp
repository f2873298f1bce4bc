#include "resources/JpegDecoder.h"

#include "resources/PictureLimits.h"

#include <turbojpeg.h>

#include <algorithm>
#include <bit>
#include <memory>

namespace windlecroft {

namespace {

struct DecompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Decompressor = std::unique_ptr<void, DecompressorDeleter>;

// Surface pixels are 32-bit 0x00RRGGBB values; this is their byte order in memory.
constexpr int surfacePixelFormat = std::endian::native == std::endian::little ? TJPF_BGRX : TJPF_XRGB;

std::optional<Surface> fail(std::string* reason, std::string text)
{
    if (reason)
        *reason = std::move(text);
    return std::nullopt;
}

} // namespace

std::optional<Surface> decodeJpeg(std::span<const std::uint8_t> file, std::string* reason, std::int64_t largestPicture)
{
    Decompressor decompressor(tjInitDecompress());
    if (!decompressor)
        return fail(reason, tjGetErrorStr2(nullptr));
    void* handle = decompressor.get();
    if (file.empty())
        return fail(reason, "empty file");
    const auto size = static_cast<unsigned long>(file.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(handle, file.data(), size, &width, &height, &subsampling, &colourspace) != 0)
        return fail(reason, tjGetErrorStr2(handle));
    if (width <= 0 || height <= 0)
        return fail(reason, "the file gives the picture no size");
    if (static_cast<std::int64_t>(width) * height > std::min(largestPicture, maxPicturePixels))
        return fail(reason, "picture too large");

    Surface picture(width, height);
    auto* pixels = reinterpret_cast<unsigned char*>(picture.data());
    const int pitch = picture.stride() * 4;
    if (tjDecompress2(handle, file.data(), size, pixels, width, pitch, height, surfacePixelFormat, 0) != 0 &&
        tjGetErrorCode(handle) != TJERR_WARNING)
        return fail(reason, tjGetErrorStr2(handle));

    // The decoder fills the unused byte with 0xFF; Surface pixels keep it zero.
    std::uint32_t* p = picture.data();
    const std::size_t count = static_cast<std::size_t>(picture.stride()) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i)
        p[i] &= 0x00FFFFFFu;
    return picture;
}

} // namespace windlecroft

#include "skin/JpegEncoder.h"

#include <turbojpeg.h>

#include <stdexcept>

namespace windlecroft::skin {

namespace {

int subsamplingOf(JpegOptions::Subsampling subsampling)
{
    switch (subsampling) {
    case JpegOptions::Subsampling::Half: return TJSAMP_422;
    case JpegOptions::Subsampling::Quarter: return TJSAMP_420;
    case JpegOptions::Subsampling::Grey: return TJSAMP_GRAY;
    case JpegOptions::Subsampling::None: break;
    }
    return TJSAMP_444;
}

// Encodes rows of pixels in the given layout; gives nothing and the encoder's reason on failure.
std::optional<std::vector<std::uint8_t>> encode(const std::uint8_t* pixels, int width, int pitch, int height,
                                                int layout, JpegOptions options, std::string& reason)
{
    tjhandle encoder = tjInitCompress();
    if (encoder == nullptr) {
        reason = "the JPEG encoder did not start";
        return std::nullopt;
    }
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int flags = TJFLAG_ACCURATEDCT | (options.progressive ? TJFLAG_PROGRESSIVE : 0);
    const int result = tjCompress2(encoder, pixels, width, pitch, height, layout, &jpeg, &size,
                                   subsamplingOf(options.subsampling), options.quality, flags);
    std::optional<std::vector<std::uint8_t>> file;
    if (result == 0)
        file.emplace(jpeg, jpeg + size);
    else
        reason = tjGetErrorStr2(encoder);
    tjFree(jpeg);
    tjDestroy(encoder);
    return file;
}

} // namespace

std::optional<std::vector<std::uint8_t>> encodeJpeg(const RgbaPicture& picture, int quality, std::string& reason)
{
    return encode(picture.rgba.data(), picture.width, 0, picture.height, TJPF_RGBA, {.quality = quality}, reason);
}

std::vector<std::uint8_t> encodeJpeg(const Surface& picture, JpegOptions options)
{
    std::string reason;
    std::optional<std::vector<std::uint8_t>> file =
        encode(reinterpret_cast<const std::uint8_t*>(picture.data()), picture.width(), picture.stride() * 4,
               picture.height(), TJPF_BGRX, options, reason);
    if (!file)
        throw std::runtime_error("cannot encode the picture as JPEG: " + reason);
    return std::move(*file);
}

} // namespace windlecroft::skin

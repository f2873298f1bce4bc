#include "skin/JpegEncoder.h"

#include <turbojpeg.h>

namespace windlecroft::skin {

std::optional<std::vector<std::uint8_t>> encodeJpeg(const RgbaPicture& picture, int quality, std::string& reason)
{
    tjhandle encoder = tjInitCompress();
    if (encoder == nullptr) {
        reason = "the JPEG encoder did not start";
        return std::nullopt;
    }
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(encoder, picture.rgba.data(), picture.width, 0, picture.height, TJPF_RGBA, &jpeg,
                                   &size, TJSAMP_444, quality, TJFLAG_ACCURATEDCT);
    std::optional<std::vector<std::uint8_t>> file;
    if (result == 0)
        file.emplace(jpeg, jpeg + size);
    else
        reason = tjGetErrorStr2(encoder);
    tjFree(jpeg);
    tjDestroy(encoder);
    return file;
}

} // namespace windlecroft::skin

#pragma once

#include "resources/Surface.h"

#include <turbojpeg.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace windlecroft::test {

/** Encodes a picture as a baseline JPEG (4:4:4) with libjpeg-turbo, for tests and benchmarks. */
inline std::vector<std::uint8_t> encodeJpeg(const Surface& picture, int quality = 95)
{
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(handle, reinterpret_cast<const unsigned char*>(picture.data()), picture.width(),
                                   picture.stride() * 4, picture.height(), TJPF_BGRX, &jpeg, &size, TJSAMP_444,
                                   quality, 0);
    std::vector<std::uint8_t> out;
    if (result == 0)
        out.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    if (out.empty())
        throw std::runtime_error("cannot encode the test picture as JPEG");
    return out;
}

} // namespace windlecroft::test

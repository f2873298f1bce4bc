#pragma once

#include "resources/Surface.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace windlecroft::test {

/** A binary PPM file of the picture, as cjpeg and ImageMagick read it. */
std::vector<std::uint8_t> ppmFile(const Surface& picture);

/** The picture encoded by the reference library's cjpeg with its options ("-sample", "3x2", ...). */
std::vector<std::uint8_t> cjpeg(const Surface& picture, const std::vector<std::string>& options);

/**
 * The reference library's djpeg decoding of a JPEG file (grey pictures as grey pixels; CMYK
 * ones converted to RGB as djpeg converts them). Throws std::runtime_error when djpeg refuses it.
 */
Surface djpeg(std::span<const std::uint8_t> jpeg);

/** ImageMagick's CMYK JPEG of the picture: libjpeg stores it with the YCCK transform. */
std::vector<std::uint8_t> imageMagickCmykJpeg(const Surface& picture);

/** How libjpegFile writes a picture. */
struct LibjpegOptions {
    /**
     * The colours stored: YCbCr, grey, or CMYK (the inks inverted as Adobe writes them, 255 being
     * no ink, black taking the darkness common to all three colours) without or with the YCCK
     * transform.
     */
    enum class Colours { YCbCr, Grey, Cmyk, Ycck };
    Colours colours = Colours::YCbCr;
    /** The sampling factors of the first component; the others have 1 x 1. */
    int lumaWidth = 2;
    int lumaHeight = 2;
    bool progressive = false;
    bool arithmetic = false;
    /** A restart marker after every so many rows of blocks; 0 for none. */
    int restartRows = 0;
    int quality = 90;
};

/** The picture written by libjpeg's own compressor, in any of its colour spaces and codings. */
std::vector<std::uint8_t> libjpegFile(const Surface& picture, const LibjpegOptions& options = {});

} // namespace windlecroft::test

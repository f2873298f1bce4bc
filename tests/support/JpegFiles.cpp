#include "support/JpegFiles.h"

#include "support/ExternalTool.h"

#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace windlecroft::test {

namespace {

// The next whitespace-separated number of a PNM header; pos ends after its single delimiter.
int headerNumber(std::span<const std::uint8_t> file, std::size_t& pos)
{
    while (pos < file.size() && std::isspace(file[pos]))
        ++pos;
    int value = 0;
    while (pos < file.size() && std::isdigit(file[pos]))
        value = value * 10 + (file[pos++] - '0');
    ++pos;
    return value;
}

} // namespace

std::vector<std::uint8_t> ppmFile(const Surface& picture)
{
    std::ostringstream header;
    header << "P6\n" << picture.width() << ' ' << picture.height() << "\n255\n";
    const std::string text = header.str();
    std::vector<std::uint8_t> out(text.begin(), text.end());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t pixel = picture.pixel(x, y);
            out.insert(out.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                                   static_cast<std::uint8_t>(pixel)});
        }
    }
    return out;
}

std::vector<std::uint8_t> cjpeg(const Surface& picture, const std::vector<std::string>& options)
{
    std::vector<std::string> arguments{"cjpeg"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.insert(arguments.end(), {"-outfile", "OUT", "IN"});
    return runTool(arguments, ppmFile(picture), "in.ppm", "out.jpg");
}

Surface djpeg(std::span<const std::uint8_t> jpeg)
{
    const std::vector<std::uint8_t> pnm
        = runTool({"djpeg", "-pnm", "-outfile", "OUT", "IN"}, jpeg, "in.jpg", "out.pnm");
    if (pnm.size() < 2 || pnm[0] != 'P' || (pnm[1] != '5' && pnm[1] != '6'))
        throw std::runtime_error("djpeg wrote no PPM or PGM");
    const bool grey = pnm[1] == '5';
    std::size_t pos = 2;
    const int width = headerNumber(pnm, pos);
    const int height = headerNumber(pnm, pos);
    headerNumber(pnm, pos); // the largest value, 255
    const std::size_t channels = grey ? 1 : 3;
    if (pnm.size() < pos + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * channels)
        throw std::runtime_error("djpeg's picture is cut short");
    Surface picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, pos += channels) {
            const std::uint32_t r = pnm[pos];
            const std::uint32_t g = grey ? r : pnm[pos + 1];
            const std::uint32_t b = grey ? r : pnm[pos + 2];
            picture.setPixel(x, y, r << 16 | g << 8 | b);
        }
    }
    return picture;
}

std::vector<std::uint8_t> imageMagickCmykJpeg(const Surface& picture)
{
    return runTool(
        {"convert", "IN", "-colorspace", "CMYK", "-quality", "95", "OUT"}, ppmFile(picture), "in.ppm", "out.jpg");
}

std::vector<std::uint8_t> libjpegFile(const Surface& picture, const LibjpegOptions& options)
{
    using Colours = LibjpegOptions::Colours;
    const bool cmyk = options.colours == Colours::Cmyk || options.colours == Colours::Ycck;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &bytes, &size);
    info.image_width = static_cast<JDIMENSION>(picture.width());
    info.image_height = static_cast<JDIMENSION>(picture.height());
    info.input_components = cmyk ? 4 : 3;
    info.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, options.colours == Colours::Grey ? JCS_GRAYSCALE
                               : options.colours == Colours::Cmyk ? JCS_CMYK
                               : options.colours == Colours::Ycck ? JCS_YCCK
                                                                  : JCS_YCbCr);
    jpeg_set_quality(&info, options.quality, TRUE);
    info.comp_info[0].h_samp_factor = options.lumaWidth;
    info.comp_info[0].v_samp_factor = options.lumaHeight;
    info.arith_code = options.arithmetic;
    info.restart_in_rows = options.restartRows;
    if (options.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width()) * 4);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t pixel = picture.pixel(x, y);
            const unsigned r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
            if (!cmyk) {
                row[static_cast<std::size_t>(x) * 3] = static_cast<JSAMPLE>(r);
                row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<JSAMPLE>(g);
                row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<JSAMPLE>(b);
                continue;
            }
            const unsigned light = std::max({r, g, b});
            JSAMPLE* out = &row[static_cast<std::size_t>(x) * 4];
            out[0] = static_cast<JSAMPLE>(light ? (r * 255 + light / 2) / light : 255);
            out[1] = static_cast<JSAMPLE>(light ? (g * 255 + light / 2) / light : 255);
            out[2] = static_cast<JSAMPLE>(light ? (b * 255 + light / 2) / light : 255);
            out[3] = static_cast<JSAMPLE>(light);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(bytes, bytes + size);
    std::free(bytes);
    return out;
}

} // namespace windlecroft::test

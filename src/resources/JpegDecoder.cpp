#include "resources/JpegDecoder.h"

#include "resources/PictureLimits.h"

// jpeglib.h uses FILE and size_t without including their headers.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <string>

namespace windlecroft {

namespace {

// A progressive file may hold any number of scans, each of which passes over the whole picture;
// real files have about ten. Beyond this many a file is refused instead of taking minutes.
constexpr int maxScans = 500;

/**
 * One decompression with libjpeg. libjpeg ends a fatal error by calling error_exit, which must
 * not return: it jumps back to the setjmp in readHeader or readPixels. Those two functions, and
 * every function of ours that runs between them and the jump, hold only trivially destructible
 * locals, so the jump skips no destructor. The owner destroys the libjpeg object afterwards,
 * whatever happened. Not movable: libjpeg keeps pointers into it.
 */
class Decompression {
public:
    Decompression()
    {
        info_.err = jpeg_std_error(&errors_.manager);
        errors_.manager.error_exit = &Decompression::fail;
        // Warnings (corrupt data, a file cut short) are not printed: the decoder goes on as far
        // as the data goes, as the library's own tools do.
        errors_.manager.output_message = [](j_common_ptr) {};
        progress_.progress_monitor = &Decompression::watchScans;
    }
    ~Decompression() { jpeg_destroy_decompress(&info_); }
    Decompression(const Decompression&) = delete;
    Decompression& operator=(const Decompression&) = delete;

    jpeg_decompress_struct& info() { return info_; }
    jpeg_progress_mgr& progress() { return progress_; }
    std::jmp_buf& jump() { return errors_.jump; }
    const char* message() const { return errors_.message; }

private:
    // libjpeg hands error_exit the object's err pointer: the manager is the first member, so the
    // whole struct is found from it.
    struct Errors {
        jpeg_error_mgr manager;
        std::jmp_buf jump;
        char message[JMSG_LENGTH_MAX];
    };

    static Errors& errorsOf(j_common_ptr info) { return *reinterpret_cast<Errors*>(info->err); }

    [[noreturn]] static void fail(j_common_ptr info)
    {
        Errors& errors = errorsOf(info);
        (*errors.manager.format_message)(info, errors.message);
        std::longjmp(errors.jump, 1);
    }

    static void watchScans(j_common_ptr info)
    {
        if (!info->is_decompressor || reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= maxScans)
            return;
        Errors& errors = errorsOf(info);
        std::snprintf(errors.message, sizeof errors.message, "more than %d scans", maxScans);
        std::longjmp(errors.jump, 1);
    }

    // Zeroed, the object can be destroyed even when jpeg_create_decompress never ran or failed.
    jpeg_decompress_struct info_{};
    Errors errors_{};
    jpeg_progress_mgr progress_{};
};

// Surface pixels are 32-bit 0x00RRGGBB values; this is their byte order in memory.
constexpr J_COLOR_SPACE surfaceColourSpace = std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;

bool isCmyk(const jpeg_decompress_struct& info)
{
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

// Reads the header and sets the output up: pixels as Surface holds them, or CMYK (libjpeg turns
// YCCK into CMYK) that copyRows converts. Returns false after a fatal error.
bool readHeader(Decompression& jpeg, const std::uint8_t* data, std::size_t size)
{
    if (setjmp(jpeg.jump()) != 0)
        return false;
    jpeg_decompress_struct& info = jpeg.info();
    jpeg_create_decompress(&info);
    info.progress = &jpeg.progress();
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // Grey, YCbCr and RGB become the Surface's pixels in the library; anything else (two or five
    // components, say) has no colour meaning and stays as it is, to be refused.
    if (isCmyk(info))
        info.out_color_space = JCS_CMYK;
    else if (info.jpeg_color_space != JCS_UNKNOWN)
        info.out_color_space = surfaceColourSpace;
    jpeg_calc_output_dimensions(&info);
    return true;
}

// One CMYK row to Surface pixels. CMYK JPEGs store their inks inverted (255 is no ink), as
// Adobe's applications write them: libjpeg and every common encoder follow that, and the
// library's own tools read every CMYK file so. Each value is then the light its ink lets
// through, and a colour is that of its ink times that of black.
void convertCmykRow(const JSAMPLE* cmyk, std::uint32_t* row, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const unsigned k = cmyk[3];
        const unsigned r = (cmyk[0] * k + 127) / 255;
        const unsigned g = (cmyk[1] * k + 127) / 255;
        const unsigned b = (cmyk[2] * k + 127) / 255;
        row[x] = r << 16 | g << 8 | b;
    }
}

// Decodes every row into picture, which has the output's size. Runs under readPixels' setjmp.
void copyRows(jpeg_decompress_struct& info, Surface& picture)
{
    const bool cmyk = info.out_color_space == JCS_CMYK;
    // The library's own memory, released with the object: nothing here needs a destructor.
    JSAMPARRAY buffer = cmyk
        ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1)
        : nullptr;
    while (info.output_scanline < info.output_height) {
        std::uint32_t* row = picture.row(static_cast<int>(info.output_scanline));
        JSAMPROW target = cmyk ? buffer[0] : reinterpret_cast<JSAMPROW>(row);
        if (jpeg_read_scanlines(&info, &target, 1) != 1)
            break;
        if (cmyk) {
            convertCmykRow(buffer[0], row, info.output_width);
        } else {
            // The library leaves the fourth byte undefined; Surface pixels keep it zero.
            for (JDIMENSION x = 0; x < info.output_width; ++x)
                row[x] &= 0x00FFFFFFu;
        }
    }
}

bool readPixels(Decompression& jpeg, Surface& picture)
{
    if (setjmp(jpeg.jump()) != 0)
        return false;
    jpeg_start_decompress(&jpeg.info());
    copyRows(jpeg.info(), picture);
    return true;
}

std::optional<Surface> fail(std::string* reason, std::string text)
{
    if (reason)
        *reason = std::move(text);
    return std::nullopt;
}

} // namespace

std::optional<Surface> decodeJpeg(std::span<const std::uint8_t> file, std::string* reason, std::int64_t largestPicture)
{
    if (file.empty())
        return fail(reason, "empty file");
    Decompression jpeg;
    if (!readHeader(jpeg, file.data(), file.size()))
        return fail(reason, jpeg.message());
    const jpeg_decompress_struct& info = jpeg.info();
    if (info.jpeg_color_space == JCS_UNKNOWN)
        return fail(reason, "unsupported colour space (" + std::to_string(info.num_components) + " components)");
    const std::int64_t width = info.output_width;
    const std::int64_t height = info.output_height;
    if (width <= 0 || height <= 0)
        return fail(reason, "the file gives the picture no size");
    // The size is checked before anything of the picture is allocated, by the library or here.
    if (width > maxPictureSide || height > maxPictureSide
        || width * height > std::min(largestPicture, maxPicturePixels))
        return fail(reason, "picture too large");

    Surface picture(static_cast<int>(width), static_cast<int>(height));
    if (!readPixels(jpeg, picture))
        return fail(reason, jpeg.message());
    return picture;
}

} // namespace windlecroft

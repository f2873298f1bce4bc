#include "resources/Image.h"

#include "resources/BmpDecoder.h"
#include "resources/DataArchive.h"
#include "resources/FileKind.h"
#include "resources/JpegDecoder.h"
#include "resources/PictureBudget.h"
#include "resources/PictureLimits.h"
#include "resources/RegionMask.h"

#include <ostream>

namespace windlecroft {

namespace {

// The sixth character of a picture name is the first one after its "Data\" folder: the initial
// of the page the picture belongs to (dzien, noc, wieczor, intro, outro).
const char* whiteningMaskFor(std::string_view name)
{
    if (name.size() < 6)
        return nullptr;
    switch (name[5]) {
    case 'd':
    case 'n':
    case 'w':
        return "Data\\panel.rgn";
    case 'i':
        return "Data\\intro.rgn";
    case 'o':
        return "Data\\outro.rgn";
    default:
        return nullptr;
    }
}

} // namespace

void Image::loadImage(std::string_view name, const ImageLoadContext& context)
{
    const std::int64_t largestPicture = context.budget ? context.budget->largestPicture() : maxPicturePixels;
    switch (classifyFileName(name)) {
    case FileKind::Bmp:
        pixels_ = decodeBmp(context.archive.findEntry(name).bytes(), largestPicture);
        break;
    case FileKind::Jpeg: {
        std::string reason;
        std::optional<Surface> picture =
            decodeJpeg(context.archive.findEntry(name).bytes(), &reason, largestPicture);
        if (!picture) {
            context.diagnostics << "windlecroft: can't decode " << name << ": " << reason << '\n';
            return;
        }
        if (context.layered) {
            if (const char* mask = whiteningMaskFor(name))
                RegionMask(context.archive.findEntry(mask).bytes(), context.windowWidth).whiten(*picture);
        }
        pixels_ = std::move(*picture);
        break;
    }
    default:
        return;
    }
    // Only pictures actually loaded count; one that fails leaves the Image and the budget alone.
    if (context.budget)
        context.budget->spend(static_cast<std::int64_t>(pixels_.width()) * pixels_.height());
}

} // namespace windlecroft

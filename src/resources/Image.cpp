#include "resources/Image.h"

#include "base/Error.h"
#include "resources/BmpDecoder.h"
#include "resources/DataArchive.h"
#include "resources/FileKind.h"
#include "resources/JpegDecoder.h"
#include "resources/PictureBudget.h"
#include "resources/PictureLimits.h"
#include "resources/RegionMask.h"
#include "resources/WhiteningMask.h"

#include <ostream>

namespace windlecroft {

void Image::loadImage(std::string_view name, const ImageLoadContext& context)
{
    // A picture decoded again after it was let go has been charged already: only the decoders'
    // own limit holds for it.
    const std::int64_t largestPicture = context.budget && !charged_ ? context.budget->largestPicture() : maxPicturePixels;
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
            if (const std::string_view mask = whiteningMaskFor(name); !mask.empty())
                RegionMask(context.archive.findEntry(mask).bytes(), context.windowWidth).whiten(*picture);
        }
        pixels_ = std::move(*picture);
        break;
    }
    default:
        return;
    }
    name_ = name;
    // Only pictures actually loaded count, once; one that fails leaves the Image and the budget alone.
    if (context.budget && !charged_)
        context.budget->spend(static_cast<std::int64_t>(pixels_.width()) * pixels_.height());
    charged_ = true;
}

void Image::park()
{
    if (name_.empty() || pixels_.empty())
        return;
    pixels_ = Surface();
    parked_ = true;
}

void Image::loadLater(std::string_view name, const ImageLoadContext& context)
{
    if (classifyFileName(name) != FileKind::Jpeg) {
        loadImage(name, context);
        return;
    }
    const auto require = [&context](std::string_view entry) {
        if (!context.archive.contains(entry))
            throw Error("can't find file " + std::string(entry) + " in datafile");
    };
    require(name);
    if (context.layered) {
        if (const std::string_view mask = whiteningMaskFor(name); !mask.empty())
            require(mask);
    }
    name_ = name;
    parked_ = true;
}

void Image::unpark(const ImageLoadContext& context)
{
    if (!parked_)
        return;
    parked_ = false;
    const std::string name = std::move(name_);
    loadImage(name, context);
}

} // namespace windlecroft

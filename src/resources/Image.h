#pragma once

#include "resources/ImageLoadContext.h"
#include "resources/Surface.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace windlecroft {

/**
 * A skin picture. Created empty by its owner and loaded once from the archive; an empty Image
 * draws nothing.
 */
class Image {
public:
    Image() = default;
    /** An Image holding these pixels (generated pictures, tests). */
    explicit Image(Surface pixels) : pixels_(std::move(pixels)) {}

    /**
     * Loads the archive entry with this name. Names classified as Bmp are decoded as BMP, names
     * classified as Jpeg as JPEG; any other name leaves the Image as it was. When the window is
     * layered, a JPEG picture whose name has 'd', 'n' or 'w' as its sixth character is
     * whitened through "Data\panel.rgn", 'i' through "Data\intro.rgn" and 'o' through
     * "Data\outro.rgn". A JPEG that does not decode leaves the Image as it was and is reported
     * on the context's diagnostics. With a picture budget in the context, the loaded picture is
     * charged to it, and a picture larger than what is left counts as one the decoder refuses.
     * Throws "can't find file ... in datafile" for a missing picture or mask and
     * "invalid bmp format" for a BMP the decoder refuses.
     */
    void loadImage(std::string_view name, const ImageLoadContext& context);

    /**
     * As loadImage(), but a JPEG is only looked up now and decoded by the first unpark(): its
     * failures are not fatal, and pictures of pages not yet shown need neither time nor memory.
     * A missing picture or whitening mask is reported at once, as loadImage() reports it.
     */
    void loadLater(std::string_view name, const ImageLoadContext& context);

    /**
     * Drops the pixels of a picture loaded from the archive, keeping its name: a page's
     * pictures need memory only while the page is shown. Pictures that did not load, or that
     * were given their pixels, stay as they are.
     */
    void park();
    /** Decodes a parked picture again, as loadImage() did; only its first decoding is charged to the budget. */
    void unpark(const ImageLoadContext& context);
    bool parked() const { return parked_; }

    bool empty() const { return pixels_.empty(); }
    std::uint16_t width() const { return static_cast<std::uint16_t>(pixels_.width()); }
    std::uint16_t height() const { return static_cast<std::uint16_t>(pixels_.height()); }
    const Surface& pixels() const { return pixels_; }

private:
    Surface pixels_;
    // The archive entry the pixels came from; empty for pictures made in memory.
    std::string name_;
    bool parked_ = false;
    bool charged_ = false;
};

} // namespace windlecroft

#pragma once

#include "base/Rect.h"
#include "resources/Image.h"
#include "resources/Surface.h"

namespace windlecroft {

/**
 * An off-screen picture that pages draw skin pictures into, with the two operations they use:
 * a clipped copy and a constant-alpha blend. It keeps its pixels between frames: whatever is
 * not redrawn stays. Drawing never allocates.
 */
class Canvas {
public:
    /** Sizes the buffer for a client area of width x height pixels, all black. */
    void create(int width, int height);
    /** True once create() has run. */
    bool created() const { return created_; }

    /** The pixels: text and plugins draw here directly. */
    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    int width() const { return surface_.width(); }
    int height() const { return surface_.height(); }

    /**
     * Copies the image's rectangle of width x height pixels at (sourceX, sourceY) to (x, y).
     * The rectangle is clipped to the image and to the buffer; an empty image copies nothing.
     */
    void copy(const Image& image, int x, int y, int width, int height, int sourceX, int sourceY);
    void copy(const Surface& source, int x, int y, int width, int height, int sourceX, int sourceY);

    /**
     * Like copy, but blends the image over the buffer with one constant alpha: alpha is
     * truncated to an integer a in 0..255, and per channel dst = (src * a + dst * (255 - a) +
     * 127) / 255. Alpha 0 leaves the buffer as it is; 255 equals a copy.
     */
    void blend(const Image& image, int x, int y, int width, int height, int sourceX, int sourceY, float alpha);
    void blend(const Surface& source, int x, int y, int width, int height, int sourceX, int sourceY, float alpha);
    /** Fills the rectangle (clipped to the buffer) with one colour, 0x00RRGGBB. */
    void fill(const Rect& rect, std::uint32_t colour);

    /** Draws nothing: a page without a background image draws with this. */
    void nothing(const Image&) {}

private:
    Surface surface_;
    bool created_ = false;
};

} // namespace windlecroft

#pragma once

#include <iosfwd>

namespace windlecroft {

class DataArchive;
class PictureBudget;

/** What loading a skin picture needs to know besides its name. */
struct ImageLoadContext {
    /** The archive the picture and its masks are read from. */
    const DataArchive& archive;
    /**
     * True when the window is translucent with white as its colour key
     * (Desktop::supportsLayered()): full-window JPEG pictures are then whitened through their mask.
     */
    bool layered = false;
    /** The window's width: the row length of the masks. */
    int windowWidth = 0;
    /** Where a picture that does not decode is reported, in one line. */
    std::ostream& diagnostics;
    /**
     * The pixels the skin's pictures may still take, charged with every picture loaded; a
     * picture that does not fit is refused as one above the decoders' own limit is. Without a
     * budget only that limit holds.
     */
    PictureBudget* budget = nullptr;
};

} // namespace windlecroft

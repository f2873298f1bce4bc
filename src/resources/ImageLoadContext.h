#pragma once

#include <iosfwd>

namespace windlecroft {

class DataArchive;

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
};

} // namespace windlecroft

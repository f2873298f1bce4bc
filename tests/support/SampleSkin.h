#pragma once

#include <cstdint>
#include <vector>

namespace windlecroft::fuzz {

/** A skin's two files as bytes. */
struct SkinFiles {
    std::vector<std::uint8_t> config;
    std::vector<std::uint8_t> archive;
};

/**
 * A small skin (40 x 30) that uses every chunk kind and every element record kind the
 * loader knows, with BMP, RLE8 and JPEG pictures, the three masks, documents and a font file,
 * and whose configuration loads without an error. The configuration targets keep one of its
 * files fixed while the fuzzer changes the other.
 */
SkinFiles sampleSkin();

/**
 * An entry of the sample archive: a font file whose name would lead out of a folder it were
 * copied to. Font files are read from memory, so the name must decide no path.
 */
inline constexpr const char* escapingFontFile = "Fonts\\../windlecroft-escaped.ttf";

} // namespace windlecroft::fuzz

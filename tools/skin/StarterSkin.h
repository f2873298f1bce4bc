#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace windlecroft::skin {

/** One file of a source: its path in the source folder ('/' between folders) and its bytes. */
struct SourceFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};

/**
 * The source that `new` writes: a commented skin.toml with one page (play, next and quit
 * buttons, keys), a window mask, a system font for the track title and a playlist of two
 * tones, and the files it names: the page's pictures and mask drawn here as PNG, and the
 * tones encoded as Ogg Vorbis. It builds without errors or warnings and runs as it is.
 */
std::vector<SourceFile> starterSkin();

} // namespace windlecroft::skin
